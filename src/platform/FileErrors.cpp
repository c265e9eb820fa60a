#include "platform/FileErrors.h"

#include <QDir>
#include <QFileInfo>

namespace fileerrors {

QString text(const QString& path, Access access, QFileDevice::FileError error) {
    const QString name = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    const bool reading = access == Access::Read;
    if (info.isDir()) return QStringLiteral("\"%1\" ist ein Ordner und keine Datei.").arg(name);
    if (reading && !info.exists()) return QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(name);
    const QFileInfo folder(info.absolutePath());
    if (!reading && !folder.isDir())
        return QStringLiteral("Der Ordner für die Datei \"%1\" wurde nicht gefunden.").arg(name);
    const bool allowed =
        reading ? info.isReadable() : (info.exists() ? info.isWritable() : folder.isWritable());
    if (!allowed || error == QFileDevice::PermissionsError)
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
