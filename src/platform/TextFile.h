#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A text file the program writes: single-byte Latin-1, every line ended by CR LF, emptied when it is
// opened, never appended to. Failures throw AppError with the file's name.
class TextFile {
public:
    explicit TextFile(const QString& path);
    void writeLine(const QString& line);
    // Flushes and closes; a file that could not be written completely is reported here at the latest.
    void close();
    QString name() const { return file_.fileName(); }

    // One line as it stands in such a file.
    static QByteArray encodeLine(const QString& line);

private:
    QFile file_;
};
