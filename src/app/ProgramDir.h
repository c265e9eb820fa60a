#pragma once

#include <QString>
#include <functional>

// The directory of the program file with one trailing separator.
QString withTrailingSeparator(const QString& dir);

// Where the archive and the program's files live: the program's own directory when it can be written to,
// else the per-user data directory (an installed copy sits in a folder the user cannot write to, and every
// archive write would fail there).
QString resolveProgramDir(const QString& programFileDir, const QString& userDataDir,
                          const std::function<bool(const QString&)>& writable);

// Tries to create a file in the directory.
bool isWritableDir(const QString& dir);
