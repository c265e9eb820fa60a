#include "app/ProgramDir.h"

#include <QDir>
#include <QTemporaryFile>

QString withTrailingSeparator(const QString& dir) {
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))) return dir;
    return dir + QLatin1Char('/');
}

bool isWritableDir(const QString& dir) {
    QTemporaryFile probe(withTrailingSeparator(dir) + QStringLiteral("ziehbox-probe-XXXXXX"));
    return probe.open();
}

QString resolveProgramDir(const QString& programFileDir, const QString& userDataDir,
                          const std::function<bool(const QString&)>& writable) {
    if (writable(programFileDir)) return withTrailingSeparator(programFileDir);
    QDir().mkpath(userDataDir);
    return withTrailingSeparator(userDataDir);
}
