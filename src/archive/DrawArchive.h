#pragma once

#include "archive/DrawRecord.h"

#include <QFile>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

// The archive file "ZahlenCH.dat" in the program directory: DrawRecords back to back in date order.
// The record count is the file size divided by 16; a trailing piece shorter than a record is never read.
// Rewrites go to a work file that is flushed to disk and then renamed over the archive in one atomic
// step, so the archive always holds either the old or the new records. Failures throw AppError.
class DrawArchive {
public:
    static constexpr const char* FileName = "ZahlenCH.dat";
    static constexpr const char* InsertWorkFile = "ZahlenCH.dat~";
    static constexpr const char* DeleteWorkFile = "Zahlen.da~";

    // programDir ends with a separator.
    explicit DrawArchive(QString programDir);

    QString path() const;
    bool exists() const;

    // Every record in file order (the whole archive is a few tens of KB).
    std::vector<DrawRecord> scan() const;
    std::optional<DrawRecord> lastRecord() const;

    // The archive open for appending, positioned behind its last whole record.
    class Appender {
    public:
        const std::optional<DrawRecord>& last() const { return last_; }
        // Writes the record behind the current last one and flushes it.
        void append(const DrawRecord& record);
        void close();

    private:
        friend class DrawArchive;
        std::unique_ptr<QFile> file_;
        std::optional<DrawRecord> last_;
        qint64 position_ = 0;
    };
    // Creates an empty archive when none exists.
    Appender openForAppend() const;

    // A new archive built aside in the work file "ZahlenCH.dat~", which starts empty. Only commit
    // makes it the archive, in one atomic step; until then, and when it is discarded, the archive stays
    // byte for byte as it was.
    Appender openReplacement() const;
    void commitReplacement(Appender& replacement) const;
    void discardReplacement() const;

    // Stores the record in date order in place of every record of the same date; a date later than
    // every stored one goes to the end. Returns the date of the last record of the new archive.
    double insertOrReplace(const DrawRecord& record) const;
    // Removes every record of exactly that date.
    void deleteDate(double date) const;
    // Writes these records as the whole archive (created when missing), through the work file.
    void replaceAll(const std::vector<DrawRecord>& records) const;
    void remove() const;

private:
    QString workPath(const char* name) const;
    void rewrite(const char* workName, const std::vector<DrawRecord>& records) const;

    QString dir_;
};
