#pragma once

#include <QString>
#include <QtGlobal>

// Every call through which the archive is written, and the reads that an append depends on: the one
// narrow seam where a test can make any of them fail (a full disk, an I/O error, a refused permission).
// Each call returns 0 or the errno of its failure. Writes are unbuffered, so there is no separate flush:
// what `write` returned is with the system, and `sync` puts it on the disk.
class ArchiveFiles {
public:
    enum class Open {
        Append,     // an existing file for reading and writing, created empty when missing
        CreateEmpty // a work file, emptied when it exists
    };

    virtual ~ArchiveFiles() = default;

    virtual int open(const QString& path, Open how, int& fd);
    virtual int size(int fd, qint64& bytes);
    // Exactly `size` bytes at `offset`; a file that ends before is an error (EIO).
    virtual int read(int fd, qint64 offset, char* data, qint64 size);
    virtual int write(int fd, qint64 offset, const char* data, qint64 size);
    virtual int truncate(int fd, qint64 size);
    virtual int setPermissions(int fd, unsigned mode);
    virtual int sync(int fd);
    virtual int close(int fd);
    virtual int rename(const QString& from, const QString& to);
    virtual int remove(const QString& path);
    // Makes a rename in the folder durable.
    virtual int syncFolder(const QString& folder);

    // The real file system.
    static ArchiveFiles& system();
};
