#pragma once

#include <QString>
#include <QStringList>

struct Game;
struct Session;

// The records of the real Swiss draws that ship with the program, one per game.
namespace shippedrecord {

// The game's record in the first of the folders that holds it; empty when none does.
QString find(const QStringList& folders, const Game& game);
// Any file of the program's data so.
QString find(const QStringList& folders, const QString& name);

// The first start of a game: when the current game's archive holds no draw (none there, or not one whole
// record in it), offers the record (its count and dates read from the file) and, after a yes, stores it
// through the import in one atomic write and says so in the status bar. Returns the number of draws stored:
// 0 when the archive holds a draw, the record is missing or unreadable, or the user said no - then nothing
// has changed.
int offer(Session& session, const QString& recordFile);

} // namespace shippedrecord
