#include "platform/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Access as the process has it now, for its effective user, which is what an open checks (QFileInfo
// asks for the real user's).
bool allowed(const QString& path, bool write) {
#ifdef Q_OS_UNIX
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), write ? W_OK : R_OK, AT_EACCESS) == 0;
#else
    const QFileInfo info(path);
    return write ? info.isWritable() : info.isReadable();
#endif
}

// The texts, one for each kind of failure.
enum class Kind { IsFolder, NotFound, NoFolder, NoPermission, DiskFull, Other };

QString textOf(Kind kind, const QString& path, fileerrors::Access access) {
    const QString name = QDir::toNativeSeparators(path);
    const bool reading = access == fileerrors::Access::Read;
    switch (kind) {
    case Kind::IsFolder:
        return QStringLiteral("\"%1\" ist ein Ordner und keine Datei.").arg(name);
    case Kind::NotFound:
        return QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(name);
    case Kind::NoFolder:
        return QStringLiteral("Der Ordner für die Datei \"%1\" wurde nicht gefunden.").arg(name);
    case Kind::NoPermission:
        return QStringLiteral("Keine Berechtigung, die Datei \"%1\" zu %2.")
            .arg(name, reading ? QStringLiteral("lesen") : QStringLiteral("schreiben"));
    case Kind::DiskFull:
        return QStringLiteral("Die Datei \"%1\" konnte nicht vollständig geschrieben werden. Ist der "
                              "Datenträger voll?")
            .arg(name);
    case Kind::Other:
        break;
    }
    return QStringLiteral("Die Datei \"%1\" konnte nicht %2 werden.")
        .arg(name, reading ? QStringLiteral("gelesen") : QStringLiteral("geschrieben"));
}

} // namespace

namespace fileerrors {

QString text(const QString& path, Access access, QFileDevice::FileError error) {
    const QFileInfo info(path);
    const bool reading = access == Access::Read;
    const auto say = [&](Kind kind) { return textOf(kind, path, access); };
    if (info.isDir()) return say(Kind::IsFolder);
    if (reading && !info.exists()) return say(Kind::NotFound);
    const QString folder = info.absolutePath();
    if (!reading && !QFileInfo(folder).isDir()) return say(Kind::NoFolder);
    const bool permitted = reading ? allowed(path, false) : allowed(info.exists() ? path : folder, true);
    if (!permitted || error == QFileDevice::PermissionsError) return say(Kind::NoPermission);
    if (!reading && (error == QFileDevice::ResourceError || error == QFileDevice::WriteError))
        return say(Kind::DiskFull);
    return say(Kind::Other);
}

QString textForErrno(const QString& path, Access access, int systemError) {
    switch (systemError) {
    case EISDIR:
        return textOf(Kind::IsFolder, path, access);
    case ENOENT:
        return textOf(access == Access::Read ? Kind::NotFound : Kind::NoFolder, path, access);
    case EACCES:
    case EPERM:
    case EROFS:
        return textOf(Kind::NoPermission, path, access);
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        if (access == Access::Write) return textOf(Kind::DiskFull, path, access);
        break;
    default:
        break;
    }
    return textOf(Kind::Other, path, access);
}

AppError error(const QFileDevice& file, Access access) {
    return AppError(text(file.fileName(), access, file.error()));
}

} // namespace fileerrors
