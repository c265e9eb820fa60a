#pragma once

#include "archive/ArchiveGate.h"
#include "game/Draw.h"
#include "game/Game.h"

#include <QString>
#include <optional>
#include <vector>

class ArchiveFiles;

// A game's archive file in the program directory ("ZahlenCH.dat" for "6 aus 45"): DrawRecords back to back
// in date order.
// The record count is the file size divided by 16; a trailing piece shorter than a record is never read.
// Reading needs nothing; writing needs the lease of the one operation that holds the archive, and goes
// through that lease's file calls. Whatever fails, the archive afterwards is the old one or the new one,
// byte for byte: a rewrite goes to a work file that is synced and then renamed over the archive in one
// atomic step, and the work file is removed on every path that does not commit; an append that fails is
// cut back to where it began. A read-only archive is refused by every writer. Failures throw AppError
// with a German text that names the archive.
class DrawArchive {
public:
    // programDir ends with a separator.
    DrawArchive(QString programDir, const Game& game);

    QString path() const;
    bool exists() const;
    // Missing, or shorter than one record; an archive that cannot be read holds draws as far as is known.
    bool holdsNoDraw() const;

    // The draws stored, told by the file's size: 0 for a missing archive.
    int count() const;
    // Every record in file order (the whole archive is a few tens of KB).
    std::vector<Draw> scan() const;
    std::optional<Draw> lastRecord() const;

    // Writes records one by one: behind the last whole record of the archive itself (the update), or
    // into a new archive built aside in the game's insert work file (the rebuild), which only
    // commitReplacement makes the archive. Closing or destroying an uncommitted replacement removes its
    // work file.
    class Appender {
    public:
        Appender() = default;
        Appender(Appender&& other) noexcept;
        Appender& operator=(Appender&& other) noexcept;
        Appender(const Appender&) = delete;
        Appender& operator=(const Appender&) = delete;
        ~Appender();

        const std::optional<Draw>& last() const { return last_; }
        int appended() const { return appended_; }
        // A replacement that has become the archive.
        bool committed() const { return committed_; }
        // Writes the record behind the current last one, which must be of an earlier date (AppError
        // otherwise); an append to the archive itself is synced to the disk before it returns.
        void append(const Draw& record);
        // Closes the archive; a replacement not committed goes with its work file. Throws AppError when
        // the system reports that a write did not reach the file; the destructor closes silently.
        void close();

    private:
        friend class DrawArchive;
        void write(const QByteArray& bytes);
        int release() noexcept;
        bool replacement() const { return !workPath_.isEmpty(); }

        const Game* game_ = nullptr; // its records' layout
        ArchiveFiles* files_ = nullptr;
        int fd_ = -1;
        QString archivePath_; // named in every error
        QString workPath_;    // a replacement's work file
        qint64 position_ = 0;
        std::optional<Draw> last_;
        int appended_ = 0;
        bool committed_ = false;
    };
    // Creates an empty archive when none exists.
    Appender openForAppend(const ArchiveLease& lease) const;
    Appender openReplacement(const ArchiveLease& lease) const;
    void commitReplacement(Appender& replacement) const;

    // Stores the record in date order in place of every record of the same date; a date later than
    // every stored one goes to the end. Returns the date of the last record of the new archive.
    double insertOrReplace(const ArchiveLease& lease, const Draw& record) const;
    // Removes every record of the draw's date that is the draw (its numbers and extra number); returns how
    // many. An archive that holds no such record stays as it is, untouched.
    int deleteDraw(const ArchiveLease& lease, const Draw& draw) const;
    // Writes these records as the whole archive (created when missing), through the work file.
    void replaceAll(const ArchiveLease& lease, const std::vector<Draw>& records) const;

    // The player's slips, kept beside the archives (slips/SlipStore.h): a file no other output may replace.
    static constexpr const char* SlipFile = "Scheine.sqlite";
    static constexpr const char* QuotaFile = "Quoten.sqlite";

    // The work files a killed run left behind, of every game; only while this program holds the lock.
    static void removeLeftoverWorkFiles(const QString& programDir);
    // A file the user chose to write at must not be one the draws are kept in: the archive of any game,
    // a work file, the lock. The same file is told by the file system where it exists (a hard link, another
    // spelling on a folder that ignores case), by its name without regard to case where it does not yet;
    // links are followed, also to a file still to come. Throws AppError naming it.
    static void refuseAsTarget(const QString& programDir, const QString& path);

private:
    QString workPath(const QString& name) const;
    Appender openWorkFile(const ArchiveLease& lease, const QString& name) const;
    void rewrite(const ArchiveLease& lease, const QString& workName, const std::vector<Draw>& records) const;

    QString dir_;
    const Game* game_;
};
