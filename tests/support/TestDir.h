#pragma once

#include "game/Draw.h"
#include "game/Game.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <ostream>
#include <vector>

// Failed comparisons show texts as text, not as lists of bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '[' << texts.join(QStringLiteral(" | ")).toStdString() << ']';
}

// A temporary program directory of a test, with helpers to build archives in code.
class TestDir {
public:
    TestDir();
    // With a trailing separator, as the program directory is kept.
    QString path() const;
    QString file(const QString& name) const { return path() + name; }
    QString archivePath() const { return file(QStringLiteral("ZahlenCH.dat")); }

    void writeArchive(const std::vector<Draw>& records,
                      const QString& name = QStringLiteral("ZahlenCH.dat")) const;
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    std::vector<Draw> readArchive(const QString& name = QStringLiteral("ZahlenCH.dat")) const;

private:
    QTemporaryDir dir_;
};

Draw makeDraw(const QDate& date, std::initializer_list<int> six, int zz = 0, int sz = 0);
// Wednesdays and Saturdays from the first such day on or after `from`, with numbers from a fixed seed.
std::vector<Draw> generatedDraws(const QDate& from, int count, unsigned seed = 1);
// The record of the real draws of a game that the program ships, and its draws (SZ 0), read by the tests
// themselves.
QString shippedRecordPath(const Game& game = Game::sixOf45());
std::vector<Draw> shippedDraws(const Game& game = Game::sixOf45());
