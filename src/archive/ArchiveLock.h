#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One program per archive: a lock file beside "ZahlenCH.dat" that a second copy of the program on the
// same folder finds taken. A lock left by a program that no longer runs (killed, crashed) is stale and
// taken over, however old or new it is.
class ArchiveLock {
public:
    static constexpr const char* FileName = "ZahlenCH.dat.lock";
    static const QString TakenText;

    // Nothing when another running program holds the archive of programDir.
    static std::unique_ptr<ArchiveLock> take(const QString& programDir);

private:
    explicit ArchiveLock(const QString& path) : file_(path) {}
    QLockFile file_;
};
