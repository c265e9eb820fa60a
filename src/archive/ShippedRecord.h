#pragma once

#include <QString>
#include <QStringList>

struct AppState;
class Clock;
class Ui;

// The record of the real Swiss "6 aus 45" draws from 1986 to 2013 that ships with the program.
namespace shippedrecord {

constexpr const char* FileName = "swiss-lotto-6aus45-1986-2013.csv";

// The record in the first of the folders that holds it; empty when none does.
QString find(const QStringList& folders);

// The first start: when the program directory holds no archive yet, offers the record (its count and
// dates read from the file) and, after a yes, stores it through the import in one atomic write and says
// so in the status bar. Returns the number of draws stored: 0 when an archive exists, the record is
// missing or unreadable, or the user said no - then nothing has changed.
int offer(AppState& state, Ui& ui, const Clock& clock, const QString& recordFile);

} // namespace shippedrecord
