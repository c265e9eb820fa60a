#include "platform/TextFile.h"

#include "platform/AppError.h"
#include "platform/FileErrors.h"

TextFile::TextFile(const QString& path) : file_(path) {
    // Truncating in place rather than replacing through a temporary file keeps a read-only file protected.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw fileerrors::error(file_, fileerrors::Access::Write);
}

QByteArray TextFile::encodeLine(const QString& line) {
    return line.toLatin1() + "\r\n";
}

void TextFile::writeLine(const QString& line) {
    const QByteArray bytes = encodeLine(line);
    if (file_.write(bytes) != bytes.size()) throw fileerrors::error(file_, fileerrors::Access::Write);
}

void TextFile::close() {
    if (!file_.flush()) throw fileerrors::error(file_, fileerrors::Access::Write);
    file_.close();
    if (file_.error() != QFileDevice::NoError) throw fileerrors::error(file_, fileerrors::Access::Write);
}
