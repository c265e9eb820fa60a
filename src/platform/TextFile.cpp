#include "platform/TextFile.h"

#include "platform/AppError.h"

#include <QDir>

namespace {

AppError writeError(const QFile& file) {
    return AppError(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
                        .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

} // namespace

TextFile::TextFile(const QString& path) : file_(path) {
    // Truncating in place rather than replacing through a temporary file keeps a read-only file protected.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw AppError(QStringLiteral("Die Datei \"%1\" konnte nicht angelegt werden: %2")
                           .arg(QDir::toNativeSeparators(path), file_.errorString()));
}

QByteArray TextFile::encodeLine(const QString& line) {
    return line.toLatin1() + "\r\n";
}

void TextFile::writeLine(const QString& line) {
    const QByteArray bytes = encodeLine(line);
    if (file_.write(bytes) != bytes.size()) throw writeError(file_);
}

void TextFile::close() {
    if (!file_.flush()) throw writeError(file_);
    file_.close();
    if (file_.error() != QFileDevice::NoError) throw writeError(file_);
}
