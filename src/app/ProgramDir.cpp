#include "app/ProgramDir.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

QString withTrailingSeparator(const QString& dir) {
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))) return dir;
    return dir + QLatin1Char('/');
}

bool isWritableDir(const QString& dir) {
    QTemporaryFile probe(withTrailingSeparator(dir) + QStringLiteral("ziehbox-probe-XXXXXX"));
    return probe.open();
}

QString installedDataDir(const QString& programFileDir) {
    return withTrailingSeparator(programFileDir) + QStringLiteral(ZIEHBOX_DATA_FROM_BIN);
}

QString resolveProgramDir(const QString& programFileDir, const QString& userDataDir,
                          const std::function<bool(const QString&)>& writable) {
    const bool installed = QFileInfo(installedDataDir(programFileDir)).isDir();
    if (!installed && writable(programFileDir)) return withTrailingSeparator(programFileDir);
    QDir().mkpath(userDataDir);
    return withTrailingSeparator(userDataDir);
}
