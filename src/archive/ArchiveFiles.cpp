#include "archive/ArchiveFiles.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

int failed() {
    return errno != 0 ? errno : EIO;
}

} // namespace

ArchiveFiles& ArchiveFiles::system() {
    static ArchiveFiles real; // stateless: the file system itself
    return real;
}

#ifndef Q_OS_WIN

int ArchiveFiles::open(const QString& path, Open how, int& fd) {
    const int flags = how == Open::Append ? O_RDWR | O_CREAT : O_RDWR | O_CREAT | O_TRUNC;
    fd = ::open(native(path).constData(), flags | O_CLOEXEC, 0666);
    return fd < 0 ? failed() : 0;
}

int ArchiveFiles::size(int fd, qint64& bytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return failed();
    bytes = static_cast<qint64>(info.st_size);
    return 0;
}

int ArchiveFiles::read(int fd, qint64 offset, char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::pread(fd, data, static_cast<size_t>(size), static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failed();
        if (n == 0) return EIO;
        data += n;
        offset += n;
        size -= n;
    }
    return 0;
}

int ArchiveFiles::write(int fd, qint64 offset, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, static_cast<size_t>(size), static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? failed() : EIO;
        data += n;
        offset += n;
        size -= n;
    }
    return 0;
}

int ArchiveFiles::truncate(int fd, qint64 size) {
    return ::ftruncate(fd, static_cast<off_t>(size)) == 0 ? 0 : failed();
}

int ArchiveFiles::setPermissions(int fd, unsigned mode) {
    return ::fchmod(fd, static_cast<mode_t>(mode)) == 0 ? 0 : failed();
}

int ArchiveFiles::sync(int fd) {
    return ::fsync(fd) == 0 ? 0 : failed();
}

int ArchiveFiles::close(int fd) {
    // The descriptor is gone whatever close says; an error here is a write that did not reach the file.
    return ::close(fd) == 0 || errno == EINTR ? 0 : failed();
}

int ArchiveFiles::rename(const QString& from, const QString& to) {
    return std::rename(native(from).constData(), native(to).constData()) == 0 ? 0 : failed();
}

int ArchiveFiles::remove(const QString& path) {
    return ::unlink(native(path).constData()) == 0 || errno == ENOENT ? 0 : failed();
}

int ArchiveFiles::syncFolder(const QString& folder) {
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return failed();
    const int result = ::fsync(fd) == 0 ? 0 : failed();
    ::close(fd);
    return result;
}

#else

int ArchiveFiles::open(const QString& path, Open how, int& fd) {
    const int flags = how == Open::Append ? _O_RDWR | _O_CREAT : _O_RDWR | _O_CREAT | _O_TRUNC;
    fd = _wopen(reinterpret_cast<const wchar_t*>(path.utf16()), flags | _O_BINARY, _S_IREAD | _S_IWRITE);
    return fd < 0 ? failed() : 0;
}

int ArchiveFiles::size(int fd, qint64& bytes) {
    bytes = _filelengthi64(fd);
    return bytes < 0 ? failed() : 0;
}

int ArchiveFiles::read(int fd, qint64 offset, char* data, qint64 size) {
    if (_lseeki64(fd, offset, SEEK_SET) < 0) return failed();
    return _read(fd, data, static_cast<unsigned>(size)) == size ? 0 : EIO;
}

int ArchiveFiles::write(int fd, qint64 offset, const char* data, qint64 size) {
    if (_lseeki64(fd, offset, SEEK_SET) < 0) return failed();
    return _write(fd, data, static_cast<unsigned>(size)) == size ? 0 : failed();
}

int ArchiveFiles::truncate(int fd, qint64 size) {
    return _chsize_s(fd, size);
}

int ArchiveFiles::setPermissions(int, unsigned) {
    return 0;
}

int ArchiveFiles::sync(int fd) {
    return _commit(fd) == 0 ? 0 : failed();
}

int ArchiveFiles::close(int fd) {
    return _close(fd) == 0 ? 0 : failed();
}

int ArchiveFiles::rename(const QString& from, const QString& to) {
    return MoveFileExW(reinterpret_cast<LPCWSTR>(from.utf16()), reinterpret_cast<LPCWSTR>(to.utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : EIO;
}

int ArchiveFiles::remove(const QString& path) {
    return _wunlink(reinterpret_cast<const wchar_t*>(path.utf16())) == 0 || errno == ENOENT ? 0 : failed();
}

int ArchiveFiles::syncFolder(const QString&) {
    return 0; // MOVEFILE_WRITE_THROUGH has made the rename durable
}

#endif
