#include "archive/ArchiveLock.h"

#include "archive/DrawArchive.h"
#include "platform/AppError.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/types.h>
#endif

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

// Whether the lock is one of this computer whose program has ended.
bool holderEnded(QLockFile& file) {
    qint64 pid = 0;
    QString host;
    if (!file.getLockInfo(&pid, &host, nullptr) || pid <= 0) return false;
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) return false;
#ifdef Q_OS_UNIX
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
#else
    return false;
#endif
}

} // namespace

std::unique_ptr<ArchiveLock> ArchiveLock::held(std::unique_ptr<ArchiveLock> lock, const QString& programDir) {
    DrawArchive::removeLeftoverWorkFiles(programDir);
    return lock;
}

std::unique_ptr<ArchiveLock> ArchiveLock::take(const QString& programDir, const AskToLift& askToLift) {
    const QString path = programDir + QLatin1String(FileName);
    const QString shown = QDir::toNativeSeparators(path);
    std::unique_ptr<ArchiveLock> lock(new ArchiveLock(path));
    // Only a lock whose program has ended is stale: a window may stay open for days.
    lock->file_.setStaleLockTime(0);
    if (lock->file_.tryLock(0)) return held(std::move(lock), programDir);
    // A lock whose program has ended is taken over, unless the folder cannot be written (a disk mounted
    // read-only after a crash): that, not another window, keeps the program out.
    if (holderEnded(lock->file_))
        throw AppError(
            QStringLiteral("Die Sperrdatei \"%1\" eines beendeten Ziehbox-Fensters lässt sich nicht "
                           "ersetzen: Der Ordner \"%2\" kann nicht beschrieben werden, etwa weil der "
                           "Datenträger schreibgeschützt ist.")
                .arg(shown, QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
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
        if (lock->file_.tryLock(0)) return held(std::move(lock), programDir);
        throw AppError(QStringLiteral("Die Sperrdatei \"%1\" konnte nicht aufgehoben werden.").arg(shown));
    }
    }
    return nullptr;
}
