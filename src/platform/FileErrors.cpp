#include "platform/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

} // namespace

namespace fileerrors {

QString text(const QString& path, Access access, QFileDevice::FileError error) {
    const QString name = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    const bool reading = access == Access::Read;
    if (info.isDir()) return QStringLiteral("\"%1\" ist ein Ordner und keine Datei.").arg(name);
    if (reading && !info.exists()) return QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(name);
    const QString folder = info.absolutePath();
    if (!reading && !QFileInfo(folder).isDir())
        return QStringLiteral("Der Ordner für die Datei \"%1\" wurde nicht gefunden.").arg(name);
    const bool permitted = reading ? allowed(path, false) : allowed(info.exists() ? path : folder, true);
    if (!permitted || error == QFileDevice::PermissionsError)
        return QStringLiteral("Keine Berechtigung, die Datei \"%1\" zu %2.")
            .arg(name, reading ? QStringLiteral("lesen") : QStringLiteral("schreiben"));
    if (!reading && (error == QFileDevice::ResourceError || error == QFileDevice::WriteError))
        return QStringLiteral("Die Datei \"%1\" konnte nicht vollständig geschrieben werden. Ist der "
                              "Datenträger voll?")
            .arg(name);
    return QStringLiteral("Die Datei \"%1\" konnte nicht %2 werden.")
        .arg(name, reading ? QStringLiteral("gelesen") : QStringLiteral("geschrieben"));
}

AppError error(const QFileDevice& file, Access access) {
    return AppError(text(file.fileName(), access, file.error()));
}

} // namespace fileerrors
