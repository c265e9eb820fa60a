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

void TestDir::writeArchive(const std::vector<Draw>& records, const QString& name) const {
    QByteArray bytes;
    for (const auto& r : records) {
        const auto b = DrawRecord::encode(r);
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
        records.push_back(DrawRecord::decode(reinterpret_cast<const unsigned char*>(bytes.constData() + i)));
    return records;
}

Draw makeDraw(const QDate& date, std::initializer_list<int> six, int zz, int sz) {
    Draw r;
    r.date = dates::toDayNumber(date);
    std::size_t i = 0;
    for (int n : six) r.numbers[i++] = static_cast<quint8>(n);
    r.extra = static_cast<quint8>(zz);
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
            for (std::size_t i = 0; i < 6; ++i) r.numbers[i] = static_cast<quint8>(pool[i]);
            r.extra = static_cast<quint8>(pool[6]);
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
    // Read here on its own, not through the program's import, so that tests can compare the two.
    QFile f(shippedRecordPath(game));
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("the shipped record is missing");
    std::vector<Draw> draws;
    f.readLine(); // the header
    while (!f.atEnd()) {
        const QList<QByteArray> fields = f.readLine().trimmed().split(';');
        if (fields.size() != 8) throw std::runtime_error("a line of the shipped record is not a draw");
        Draw r;
        r.date = dates::toDayNumber(
            QDate::fromString(QString::fromLatin1(fields[0]), QStringLiteral("dd.MM.yyyy")));
        for (std::size_t i = 0; i < 6; ++i)
            r.numbers[i] = static_cast<quint8>(fields[static_cast<qsizetype>(i) + 1].toInt());
        r.extra = static_cast<quint8>(fields[7].toInt());
        draws.push_back(r);
    }
    return draws;
}
