#include "archive/ArchiveLock.h"

#include "platform/AppError.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

const QString ArchiveLock::TakenText =
    QStringLiteral("Die Datenbank wird bereits von einem anderen Ziehbox-Fenster benutzt.");

namespace {

// Why a lock that no running program is known to hold cannot be lifted by itself; empty when it is held
// by a program of this computer.
QString unjudgedReason(QLockFile& file, const QString& shown) {
    qint64 pid = 0;
    QString host;
    QString app;
    if (!file.getLockInfo(&pid, &host, &app))
        return QStringLiteral(
                   "Die Sperrdatei \"%1\" ist leer oder beschädigt, etwa nach einem Stromausfall. Ob "
                   "noch ein Ziehbox-Fenster die Datenbank benutzt, lässt sich nicht feststellen.")
            .arg(shown);
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return QStringLiteral(
                   "Die Datenbank ist durch die Sperrdatei \"%1\" des Computers \"%2\" gesperrt. Ob "
                   "dort noch ein Ziehbox-Fenster die Datenbank benutzt, lässt sich von hier aus "
                   "nicht feststellen.")
            .arg(shown, host);
    return {};
}

} // namespace

std::unique_ptr<ArchiveLock> ArchiveLock::take(const QString& programDir, const AskToLift& askToLift) {
    const QString path = programDir + QLatin1String(FileName);
    const QString shown = QDir::toNativeSeparators(path);
    std::unique_ptr<ArchiveLock> lock(new ArchiveLock(path));
    // Only a lock whose program has ended is stale: a window may stay open for days.
    lock->file_.setStaleLockTime(0);
    if (lock->file_.tryLock(0)) return lock;
    switch (lock->file_.error()) {
    case QLockFile::NoError:
        break;
    case QLockFile::PermissionError:
        throw AppError(
            QStringLiteral("Die Sperrdatei \"%1\" kann nicht angelegt werden: keine Berechtigung, im "
                           "Ordner \"%2\" zu schreiben.")
                .arg(shown, QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    case QLockFile::UnknownError:
        // Qt reports a lock file it could not write whole so: mostly a full disk.
        throw AppError(QStringLiteral("Die Sperrdatei \"%1\" konnte nicht geschrieben werden. Ist der "
                                      "Datenträger voll?")
                           .arg(shown));
    case QLockFile::LockFailedError: {
        const QString reason = unjudgedReason(lock->file_, shown);
        if (reason.isEmpty()) return nullptr; // a window of this computer holds it
        if (!askToLift(reason + QStringLiteral(" Soll die Sperre aufgehoben werden?"))) return nullptr;
        lock->file_.removeStaleLockFile();
        if (lock->file_.tryLock(0)) return lock;
        throw AppError(QStringLiteral("Die Sperrdatei \"%1\" konnte nicht aufgehoben werden.").arg(shown));
    }
    }
    return nullptr;
}
