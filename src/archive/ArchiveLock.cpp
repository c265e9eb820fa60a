#include "archive/ArchiveLock.h"

const QString ArchiveLock::TakenText =
    QStringLiteral("Die Datenbank wird bereits von einem anderen Ziehbox-Fenster benutzt.");

std::unique_ptr<ArchiveLock> ArchiveLock::take(const QString& programDir) {
    std::unique_ptr<ArchiveLock> lock(new ArchiveLock(programDir + QLatin1String(FileName)));
    // Only a lock whose program has ended is stale: a window may stay open for days.
    lock->file_.setStaleLockTime(0);
    if (!lock->file_.tryLock(0)) return nullptr;
    return lock;
}
