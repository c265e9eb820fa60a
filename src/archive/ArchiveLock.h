#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

// One program per data folder: a lock file beside the archives that a second copy of the program on the
// same folder finds taken; it guards the archives of every game. A lock left by a program that no longer
// runs on this computer (killed, crashed) is stale and taken over, however old or new it is.
class ArchiveLock {
public:
    static constexpr const char* FileName = "ZahlenCH.dat.lock";
    static const QString TakenText;

    // Asked, with Nein first, whether to lift a lock whose program cannot be told running or ended: one
    // left by another computer on a shared folder, or an empty lock file after a power cut.
    using AskToLift = std::function<bool(const QString& question)>;

    // The lock of programDir, or nothing when another running program holds it or the user keeps a lock
    // that cannot be judged. A lock file that cannot be written throws AppError naming it. Once it is
    // held, the work files a killed run left behind are removed.
    static std::unique_ptr<ArchiveLock> take(const QString& programDir, const AskToLift& askToLift);

private:
    explicit ArchiveLock(const QString& path) : file_(path) {}
    static std::unique_ptr<ArchiveLock> held(std::unique_ptr<ArchiveLock> lock, const QString& programDir);
    QLockFile file_;
};
