#include "archive/DrawArchive.h"

#include "archive/ArchiveFiles.h"
#include "archive/ArchiveLock.h"
#include "archive/DrawRecord.h"
#include "platform/AppError.h"
#include "platform/Dates.h"
#include "platform/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

AppError writeFailure(const QString& archivePath, int systemError) {
    return AppError(fileerrors::textForErrno(archivePath, fileerrors::Access::Write, systemError));
}
AppError readFailure(const QString& archivePath, int systemError) {
    return AppError(fileerrors::textForErrno(archivePath, fileerrors::Access::Read, systemError));
}

// The permission bits of the archive, when there is one.
std::optional<unsigned> permissionsOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return static_cast<unsigned>(info.st_mode) & 07777u;
}

// A read-only archive is the user's protection: no writer replaces it by rename, and root, who may
// write anywhere, respects it as well.
void refuseReadOnly(const QString& path) {
    const auto mode = permissionsOf(path);
    if (!mode) return;
    bool writable = (*mode & 0222u) != 0;
#ifdef Q_OS_UNIX
    writable = writable && ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
#endif
    if (!writable) throw writeFailure(path, EACCES);
}

QByteArray bytesOf(const std::vector<Draw>& records, const Game& game) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(records.size() * DrawRecord::Size));
    for (const auto& r : records) {
        const auto b = DrawRecord::encode(r, game);
        bytes.append(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
    }
    return bytes;
}

} // namespace

DrawArchive::DrawArchive(QString programDir, const Game& game) : dir_(std::move(programDir)), game_(&game) {}

QString DrawArchive::path() const {
    return dir_ + game_->archiveFile;
}

QString DrawArchive::workPath(const QString& name) const {
    return dir_ + name;
}

bool DrawArchive::exists() const {
    return QFileInfo(path()).isFile();
}

int DrawArchive::count() const {
    const QFileInfo info(path());
    return info.isFile() ? static_cast<int>(info.size() / static_cast<qint64>(DrawRecord::Size)) : 0;
}

bool DrawArchive::holdsNoDraw() const {
    const QFileInfo info(path());
    return !info.exists() || (info.isFile() && info.size() < static_cast<qint64>(DrawRecord::Size));
}

std::vector<Draw> DrawArchive::scan() const {
    QFile file(path());
    if (!file.exists()) throw fileerrors::error(file, fileerrors::Access::Read);
    if (!file.open(QIODevice::ReadOnly)) throw fileerrors::error(file, fileerrors::Access::Read);
    const qint64 expected = file.size();
    const QByteArray data = file.readAll();
    // A read that fails or ends short would hand every reader a cut-off archive as if it were whole.
    if (file.error() != QFileDevice::NoError || data.size() < expected)
        throw fileerrors::error(file, fileerrors::Access::Read);
    std::vector<Draw> records;
    const auto count = static_cast<std::size_t>(data.size()) / DrawRecord::Size;
    records.reserve(count);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    for (std::size_t i = 0; i < count; ++i)
        records.push_back(DrawRecord::decode(bytes + i * DrawRecord::Size, *game_));
    return records;
}

std::optional<Draw> DrawArchive::lastRecord() const {
    const auto records = scan();
    if (records.empty()) return std::nullopt;
    return records.back();
}

// ---- appending ---------------------------------------------------------------------------------------

DrawArchive::Appender::Appender(Appender&& other) noexcept {
    *this = std::move(other);
}

DrawArchive::Appender& DrawArchive::Appender::operator=(Appender&& other) noexcept {
    if (this == &other) return *this;
    release();
    game_ = other.game_;
    files_ = other.files_;
    fd_ = std::exchange(other.fd_, -1);
    archivePath_ = other.archivePath_;
    workPath_ = std::exchange(other.workPath_, QString());
    position_ = other.position_;
    last_ = other.last_;
    appended_ = other.appended_;
    committed_ = other.committed_;
    return *this;
}

DrawArchive::Appender::~Appender() {
    release();
}

void DrawArchive::Appender::write(const QByteArray& bytes) {
    if (fd_ < 0) throw AppError(QStringLiteral("Die Datenbank ist nicht geöffnet."));
    int error = files_->write(fd_, position_, bytes.constData(), bytes.size());
    // Each append to the archive itself is on the disk before the next date is asked for.
    if (error == 0 && !replacement()) error = files_->sync(fd_);
    if (error != 0) {
        // Whatever part of the record reached the file goes again, and that is on the disk too. Should the
        // cut-back fail as well, a piece shorter than a record is never read, and a whole record that
        // stays is the new archive; the next append writes over either from the same place.
        if (files_->truncate(fd_, position_) == 0) files_->sync(fd_);
        throw writeFailure(archivePath_, error);
    }
    position_ += bytes.size();
}

void DrawArchive::Appender::append(const Draw& record) {
    // The archive stays in date order whoever hands in the record: a web run whose date went back, a
    // second draw of one date.
    if (last_ && !(record.date > last_->date))
        throw AppError(
            QStringLiteral("Die Ziehung vom %1 ist nicht neuer als die zuletzt gespeicherte vom %2 "
                           "und wird nicht angehängt.")
                .arg(dates::formatFixedDate(record.date), dates::formatFixedDate(last_->date)));
    write(bytesOf({record}, *game_));
    last_ = record;
    ++appended_;
}

int DrawArchive::Appender::release() noexcept {
    const int error = fd_ >= 0 ? files_->close(std::exchange(fd_, -1)) : 0;
    if (replacement()) files_->remove(std::exchange(workPath_, QString()));
    return error;
}

void DrawArchive::Appender::close() {
    const bool replacing = replacement();
    // What a replacement wrote is dropped anyway; for the archive itself the system has the last word.
    if (const int error = release(); error != 0 && !replacing) throw writeFailure(archivePath_, error);
}

DrawArchive::Appender DrawArchive::openForAppend(const ArchiveLease& lease) const {
    refuseReadOnly(path());
    const bool existed = exists();
    Appender a;
    a.game_ = game_;
    a.files_ = &lease.files();
    a.archivePath_ = path();
    if (const int error = a.files_->open(path(), ArchiveFiles::Open::Append, a.fd_)) {
        a.fd_ = -1;
        throw writeFailure(path(), error);
    }
    const auto fail = [&](int error) {
        a.release();
        if (!existed) a.files_->remove(path()); // it was missing, and stays so
        return readFailure(path(), error);
    };
    qint64 bytes = 0;
    if (const int error = a.files_->size(a.fd_, bytes)) throw fail(error);
    const qint64 count = bytes / static_cast<qint64>(DrawRecord::Size);
    a.position_ = count * static_cast<qint64>(DrawRecord::Size);
    if (count > 0) {
        // The update goes on after this record and carries its SZ: it must be the real one.
        DrawRecord::Bytes last{};
        if (const int error = a.files_->read(a.fd_, a.position_ - static_cast<qint64>(DrawRecord::Size),
                                             reinterpret_cast<char*>(last.data()), DrawRecord::Size))
            throw fail(error);
        a.last_ = DrawRecord::decode(last.data(), *game_);
    }
    return a;
}

// ---- rewriting ---------------------------------------------------------------------------------------

DrawArchive::Appender DrawArchive::openWorkFile(const ArchiveLease& lease, const QString& name) const {
    refuseReadOnly(path());
    Appender a;
    a.game_ = game_;
    a.files_ = &lease.files();
    a.archivePath_ = path();
    if (const int error = a.files_->open(workPath(name), ArchiveFiles::Open::CreateEmpty, a.fd_)) {
        a.fd_ = -1;
        a.files_->remove(workPath(name));
        throw writeFailure(path(), error);
    }
    a.workPath_ = workPath(name);
    return a;
}

DrawArchive::Appender DrawArchive::openReplacement(const ArchiveLease& lease) const {
    return openWorkFile(lease, game_->insertWorkFile);
}

void DrawArchive::commitReplacement(Appender& work) const {
    if (work.fd_ < 0 || !work.replacement())
        throw AppError(QStringLiteral("Die Datenbank ist nicht geöffnet."));
    ArchiveFiles& files = *work.files_;
    const auto fail = [&](int error) {
        work.release(); // removes the work file
        return writeFailure(path(), error);
    };
    // The new archive keeps the old one's permissions.
    if (const auto mode = permissionsOf(path()))
        if (const int error = files.setPermissions(work.fd_, *mode)) throw fail(error);
    if (const int error = files.sync(work.fd_)) throw fail(error);
    if (const int error = files.close(std::exchange(work.fd_, -1))) throw fail(error);
    if (const int error = files.rename(work.workPath_, path())) throw fail(error);
    work.workPath_.clear(); // it is the archive now
    work.committed_ = true;
    // Without this the rename itself might not survive a power cut.
    if (files.syncFolder(QFileInfo(path()).absolutePath()) != 0)
        throw AppError(QStringLiteral("Die Datei \"%1\" ist gespeichert, konnte aber nicht sicher auf den "
                                      "Datenträger geschrieben werden. Bitte prüfen Sie den Datenträger.")
                           .arg(QDir::toNativeSeparators(path())));
}

void DrawArchive::rewrite(const ArchiveLease& lease, const QString& workName,
                          const std::vector<Draw>& records) const {
    Appender work = openWorkFile(lease, workName); // removes its file however this ends uncommitted
    work.write(bytesOf(records, *game_));
    commitReplacement(work);
}

double DrawArchive::insertOrReplace(const ArchiveLease& lease, const Draw& record) const {
    const auto old = scan();
    std::vector<Draw> result;
    result.reserve(old.size() + 1);
    bool pending = true;
    for (const auto& r : old) {
        if (pending && r.date >= record.date) {
            result.push_back(record);
            pending = false;
        }
        if (r.date != record.date) result.push_back(r);
    }
    if (pending) result.push_back(record);
    rewrite(lease, game_->insertWorkFile, result);
    return result.back().date;
}

int DrawArchive::deleteDraw(const ArchiveLease& lease, const Draw& draw) const {
    std::vector<Draw> result = scan();
    const auto removed =
        std::erase_if(result, [&](const Draw& r) { return r.date == draw.date && sameDraw(r, draw); });
    if (removed > 0) rewrite(lease, game_->deleteWorkFile, result);
    return static_cast<int>(removed);
}

void DrawArchive::replaceAll(const ArchiveLease& lease, const std::vector<Draw>& records) const {
    rewrite(lease, game_->insertWorkFile, records);
}

namespace {

// The path with its symbolic links followed, also a link to a file that does not exist yet.
QString followLinks(const QString& path) {
    QString followed = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40 && QFileInfo(followed).isSymLink(); ++hops)
        followed = QFileInfo(followed).symLinkTarget();
    return followed;
}

// Device and inode of an existing file or folder.
std::optional<std::pair<quint64, quint64>> identityOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return std::pair<quint64, quint64>(info.st_dev, info.st_ino);
}

bool sameFile(const QString& one, const QString& other) {
    const QString a = followLinks(one);
    const QString b = followLinks(other);
    const auto idA = identityOf(a);
    const auto idB = identityOf(b);
    if (idA || idB) return idA == idB;
    // Neither is there yet: the same name, without regard to case, in the same folder.
    const auto folderA = identityOf(QFileInfo(a).absolutePath());
    return folderA && folderA == identityOf(QFileInfo(b).absolutePath()) &&
           QFileInfo(a).fileName().compare(QFileInfo(b).fileName(), Qt::CaseInsensitive) == 0;
}

} // namespace

void DrawArchive::refuseAsTarget(const QString& programDir, const QString& path) {
    QStringList kept{QLatin1String(ArchiveLock::FileName), QLatin1String(SlipFile), QLatin1String(QuotaFile)};
    for (const Game* game : Game::all())
        kept << game->archiveFile << game->insertWorkFile << game->deleteWorkFile;
    for (const QString& name : kept)
        if (sameFile(path, programDir + name))
            throw AppError(QStringLiteral("\"%1\" ist eine Datei der Datenbank und wird nicht überschrieben. "
                                          "Bitte wählen Sie einen anderen Namen.")
                               .arg(QDir::toNativeSeparators(path)));
}

void DrawArchive::removeLeftoverWorkFiles(const QString& programDir) {
    for (const Game* game : Game::all()) {
        QFile::remove(programDir + game->insertWorkFile);
        QFile::remove(programDir + game->deleteWorkFile);
    }
}
