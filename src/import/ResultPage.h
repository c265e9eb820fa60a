#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The result page of the operator's statistics page. A draw is announced by a marker line, a statement
// of the page's script; the line after it assigns the draw as a quoted list of seven numbers:
//     ...["extSpiel"] = "swisslotto";
//     ... = "3,12,17,25,33,41,7";
// Only Qt Core, so that it can be fuzzed on its own.
namespace resultpage {

inline constexpr const char* Marker = "\"extSpiel\"] = \"swisslotto\";";

struct DrawNumbers {
    bool ok = false;
    std::array<int, 7> numbers{}; // six winning numbers in page order, then ZZ
    QString error;                // the German message when not ok
};

// Reads the line after a marker. A number that does not convert or is no number of "6 aus 45" makes the
// whole line fail, so that no impossible draw is ever stored.
DrawNumbers parseDrawAssignment(const QString& line);

// Every draw the page announces, in page order. A marker on the last line has no draw line and is
// skipped. Stops at the first draw line that fails: the draws before it are returned with that error.
struct PageDraws {
    std::vector<std::array<int, 7>> draws;
    QString error; // empty when every draw line was read
};
PageDraws readDraws(const QStringList& lines);

} // namespace resultpage
