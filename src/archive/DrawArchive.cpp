#include "archive/DrawArchive.h"

#include "platform/AppError.h"
#include "platform/FileErrors.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

AppError readError(const QFile& file) {
    return fileerrors::error(file, fileerrors::Access::Read);
}
AppError writeError(const QFile& file) {
    return fileerrors::error(file, fileerrors::Access::Write);
}

void writeRecord(QFile& file, const DrawRecord& record) {
    const auto bytes = record.toBytes();
    if (file.write(reinterpret_cast<const char*>(bytes.data()), DrawRecord::Size) != DrawRecord::Size)
        throw writeError(file);
}

void flushToDisk(QFile& file) {
    if (!file.flush()) throw writeError(file);
#ifdef Q_OS_WIN
    FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
#else
    if (::fsync(file.handle()) != 0) throw writeError(file);
#endif
}

// Replaces target by source in one step; the old target stays until the new one is complete.
void atomicReplace(const QString& source, const QString& target) {
#ifdef Q_OS_WIN
    const bool ok = MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(source).utf16()),
                                reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(target).utf16()),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    const bool ok =
        std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0;
    if (ok) {
        // Make the rename itself durable.
        const int dir = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
#endif
    if (!ok)
        throw AppError(QStringLiteral("Die Datei \"%1\" konnte nicht ersetzt werden.")
                           .arg(QDir::toNativeSeparators(target)));
}

} // namespace

DrawArchive::DrawArchive(QString programDir) : dir_(std::move(programDir)) {}

QString DrawArchive::path() const {
    return dir_ + QLatin1String(FileName);
}

QString DrawArchive::workPath(const char* name) const {
    return dir_ + QLatin1String(name);
}

bool DrawArchive::exists() const {
    return QFileInfo(path()).isFile();
}

std::vector<DrawRecord> DrawArchive::scan() const {
    QFile file(path());
    if (!file.exists()) throw readError(file);
    if (!file.open(QIODevice::ReadOnly)) throw readError(file);
    const qint64 expected = file.size();
    const QByteArray data = file.readAll();
    // A read that fails or ends short would hand every reader a cut-off archive as if it were whole.
    if (file.error() != QFileDevice::NoError || data.size() < expected) throw readError(file);
    std::vector<DrawRecord> records;
    const auto count = static_cast<std::size_t>(data.size()) / DrawRecord::Size;
    records.reserve(count);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    for (std::size_t i = 0; i < count; ++i)
        records.push_back(DrawRecord::fromBytes(bytes + i * DrawRecord::Size));
    return records;
}

std::optional<DrawRecord> DrawArchive::lastRecord() const {
    const auto records = scan();
    if (records.empty()) return std::nullopt;
    return records.back();
}

DrawArchive::Appender DrawArchive::openForAppend() const {
    Appender a;
    a.file_ = std::make_unique<QFile>(path());
    if (!a.file_->open(QIODevice::ReadWrite)) throw writeError(*a.file_);
    const qint64 count = a.file_->size() / static_cast<qint64>(DrawRecord::Size);
    a.position_ = count * static_cast<qint64>(DrawRecord::Size);
    if (count > 0) {
        a.file_->seek(a.position_ - static_cast<qint64>(DrawRecord::Size));
        const QByteArray bytes = a.file_->read(DrawRecord::Size);
        if (bytes.size() == static_cast<qsizetype>(DrawRecord::Size))
            a.last_ = DrawRecord::fromBytes(reinterpret_cast<const unsigned char*>(bytes.constData()));
    }
    return a;
}

void DrawArchive::Appender::append(const DrawRecord& record) {
    if (!file_ || !file_->isOpen()) throw AppError(QStringLiteral("Das Archiv ist nicht geöffnet."));
    if (!file_->seek(position_)) throw writeError(*file_);
    writeRecord(*file_, record);
    if (!file_->flush()) throw writeError(*file_);
    position_ += static_cast<qint64>(DrawRecord::Size);
    last_ = record;
}

void DrawArchive::Appender::close() {
    if (file_) file_->close();
}

DrawArchive::Appender DrawArchive::openReplacement() const {
    Appender a;
    a.file_ = std::make_unique<QFile>(workPath(InsertWorkFile));
    if (!a.file_->open(QIODevice::ReadWrite | QIODevice::Truncate)) throw writeError(*a.file_);
    return a;
}

void DrawArchive::commitReplacement(Appender& replacement) const {
    if (!replacement.file_ || !replacement.file_->isOpen())
        throw AppError(QStringLiteral("Das Archiv ist nicht geöffnet."));
    flushToDisk(*replacement.file_);
    replacement.file_->close();
    atomicReplace(workPath(InsertWorkFile), path());
}

void DrawArchive::discardReplacement() const {
    QFile::remove(workPath(InsertWorkFile));
}

void DrawArchive::rewrite(const char* workName, const std::vector<DrawRecord>& records) const {
    const QString work = workPath(workName);
    {
        QFile out(work);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw writeError(out);
        for (const auto& r : records) writeRecord(out, r);
        flushToDisk(out);
    }
    atomicReplace(work, path());
}

double DrawArchive::insertOrReplace(const DrawRecord& record) const {
    const auto old = scan();
    std::vector<DrawRecord> result;
    result.reserve(old.size() + 1);
    bool pending = true;
    for (const auto& r : old) {
        if (pending && r.datum >= record.datum) {
            result.push_back(record);
            pending = false;
        }
        if (r.datum != record.datum) result.push_back(r);
    }
    if (pending) result.push_back(record);
    rewrite(InsertWorkFile, result);
    return result.back().datum;
}

void DrawArchive::deleteDate(double date) const {
    const auto old = scan();
    std::vector<DrawRecord> result;
    result.reserve(old.size());
    for (const auto& r : old)
        if (r.datum != date) result.push_back(r);
    rewrite(DeleteWorkFile, result);
}

void DrawArchive::replaceAll(const std::vector<DrawRecord>& records) const {
    rewrite(InsertWorkFile, records);
}

void DrawArchive::remove() const {
    QFile file(path());
    if (file.exists() && !file.remove()) throw writeError(file);
}
