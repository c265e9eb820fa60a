#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text as files and pages bring it: read whatever its encoding, split at every kind of line end.
namespace textlines {

// UTF-16 with a byte order mark (spreadsheets' "Unicode text"), UTF-8 (with or without its mark), or, for
// bytes that are no valid UTF-8, Latin-1 as the program's own export writes it.
QString decode(const QByteArray& bytes);

// The lines of a text split at CR LF, LF and CR alike. A final line end ends the last line; it does not
// open an empty one.
QStringList split(const QString& text);

} // namespace textlines
