#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <array>

// One line of the draw page, read as the download parse reads it: the draw date is the 8 characters
// before the first ":<br>", the numbers follow the first "<b>" as "n, n, n, n, n, n ZZ: z SZ: s<".
// Only Qt Core, so that it can be fuzzed on its own.
struct DrawPageLine {
    enum class Kind {
        Ignored,  // no "Ziehung", or the line breaks the expected shape: nothing changes
        DateOnly, // a date but no "<b>": the date of the CurrentDraw changes, nothing else
        Draw,     // date and all eight slots
        Invalid,  // a date or number that does not convert: what came before it stands, the parse ends
    };
    static constexpr int Slots = 8;

    Kind kind = Kind::Ignored;
    QDate date;     // valid for DateOnly, Draw, and Invalid after the date
    int filled = 0; // slots 0 .. filled-1 hold the numbers read
    std::array<int, Slots> values{};
    QString error; // the German message for Invalid
};

// currentYear decides the century of a two-digit year.
DrawPageLine parseDrawPageLine(const QString& line, int currentYear, const QLocale& locale = QLocale());
