#pragma once

#include <QString>
#include <functional>

// The directory of the program file with one trailing separator.
QString withTrailingSeparator(const QString& dir);

// Where an installed program finds its shipped files: ../share/ziehbox from its own folder.
QString installedDataDir(const QString& programFileDir);

// Where the archive and the program's files live. An installed program (one with its shipped files in
// installedDataDir) keeps them in the per-user data directory, whoever starts it: root may write to
// /usr/bin, but the archive does not belong there. A copy run from a folder of its own keeps them beside
// itself, unless it cannot write there.
QString resolveProgramDir(const QString& programFileDir, const QString& userDataDir,
                          const std::function<bool(const QString&)>& writable);

// Tries to create a file in the directory.
bool isWritableDir(const QString& dir);
