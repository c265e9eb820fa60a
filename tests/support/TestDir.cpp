#include "support/TestDir.h"
#include "archive/DrawRecord.h"

#include "platform/Dates.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <random>
#include <stdexcept>

TestDir::TestDir() {
    if (!dir_.isValid()) throw std::runtime_error("no temporary directory");
}

QString TestDir::path() const {
    return QDir(dir_.path()).absolutePath() + QLatin1Char('/');
}

namespace {
// The game whose archive has that name.
const Game& gameOfArchive(const QString& name) {
    for (const Game* g : Game::all())
        if (g->archiveFile == name) return *g;
    return Game::sixOf45();
}
} // namespace

void TestDir::writeArchive(const std::vector<Draw>& records, const QString& name) const {
    QByteArray bytes;
    for (const auto& r : records) {
        const auto b = DrawRecord::encode(r, gameOfArchive(name));
        bytes.append(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
    }
    writeFile(name, bytes);
}

void TestDir::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write test file");
    f.write(bytes);
}

QByteArray TestDir::readFile(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

std::vector<Draw> TestDir::readArchive(const QString& name) const {
    const QByteArray bytes = readFile(name);
    std::vector<Draw> records;
    for (qsizetype i = 0; i + 16 <= bytes.size(); i += 16)
        records.push_back(DrawRecord::decode(reinterpret_cast<const unsigned char*>(bytes.constData() + i),
                                             gameOfArchive(name)));
    return records;
}

Draw makeDraw(const QDate& date, std::initializer_list<int> six, int zz, int sz) {
    Draw r;
    r.date = dates::toDayNumber(date);
    for (int n : six) r.numbers.push_back(n);
    r.extras = {zz};
    r.superNumber = static_cast<quint8>(sz);
    return r;
}

std::vector<Draw> generatedDraws(const QDate& from, int count, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<Draw> draws;
    QDate day = from;
    while (static_cast<int>(draws.size()) < count) {
        const int wd = dates::weekday(day);
        if (wd == dates::Wednesday || wd == dates::Saturday) {
            std::vector<int> pool(45);
            for (int n = 0; n < 45; ++n) pool[static_cast<std::size_t>(n)] = n + 1;
            std::shuffle(pool.begin(), pool.end(), gen);
            std::sort(pool.begin(), pool.begin() + 6);
            Draw r;
            r.date = dates::toDayNumber(day);
            r.numbers = {pool[0], pool[1], pool[2], pool[3], pool[4], pool[5]};
            r.extras = {pool[6]};
            r.superNumber = static_cast<quint8>(gen() % 10);
            draws.push_back(r);
        }
        day = day.addDays(1);
    }
    return draws;
}

QString shippedRecordPath(const Game& game) {
    return QStringLiteral(ZIEHBOX_RECORDS_DIR "/") + game.shippedRecord;
}

std::vector<Draw> shippedDraws(const Game& game) {
    // Read here on its own, not through the program's import, so that tests can compare the two: the date,
    // the main numbers, then the further drums' in their order.
    QFile f(shippedRecordPath(game));
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("the shipped record is missing");
    std::vector<Draw> draws;
    f.readLine(); // the header
    const int drawn = game.numbers.drawn;
    while (!f.atEnd()) {
        const QList<QByteArray> fields = f.readLine().trimmed().split(';');
        if (fields.size() != 1 + drawn + game.extraCount())
            throw std::runtime_error("a line of the shipped record is not a draw");
        Draw r;
        r.date = dates::toDayNumber(
            QDate::fromString(QString::fromLatin1(fields[0]), QStringLiteral("dd.MM.yyyy")));
        for (qsizetype i = 1; i < fields.size(); ++i)
            (i <= drawn ? r.numbers : r.extras).push_back(fields[i].toInt());
        draws.push_back(r);
    }
    return draws;
}
