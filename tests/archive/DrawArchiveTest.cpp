#include "archive/DrawArchive.h"
#include "archive/DrawRecord.h"
#include "platform/AppError.h"

#include "support/TestDir.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

std::vector<double> datesOf(const std::vector<Draw>& records) {
    std::vector<double> d;
    for (const auto& r : records) d.push_back(r.date);
    return d;
}

const Draw a = makeDraw(QDate(2002, 10, 2), {1, 2, 3, 4, 5, 6}, 7, 1);
const Draw b = makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4);
const Draw c = makeDraw(QDate(2002, 10, 9), {10, 20, 30, 40, 41, 42}, 9, 2);

} // namespace

TEST(DrawArchive, MissingAndEmptyArchives) {
    TestDir dir;
    DrawArchive archive(dir.path(), Game::sixOf45());
    ArchiveGate gate;
    const ArchiveLease lease = gate.take();
    EXPECT_EQ(archive.path(), dir.archivePath());
    EXPECT_FALSE(archive.exists());
    EXPECT_THROW(archive.scan(), AppError);
    EXPECT_THROW(archive.insertOrReplace(lease, a), AppError);
    EXPECT_THROW(archive.deleteDraw(lease, a), AppError);

    dir.writeArchive({});
    EXPECT_TRUE(archive.exists());
    EXPECT_TRUE(archive.scan().empty());
    EXPECT_FALSE(archive.lastRecord().has_value());

    // A file whose read fails (here the process's own memory, unreadable at offset 0) is an error,
    // never an archive cut short.
    QFile::remove(dir.archivePath());
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), dir.archivePath()));
    EXPECT_THROW(archive.scan(), AppError);
}

TEST(DrawArchive, TrailingPieceIsNeverReadAndTheNextAppendWritesOverIt) {
    TestDir dir;
    dir.writeArchive({a, b});
    QByteArray bytes = dir.readFile(QStringLiteral("ZahlenCH.dat")) + QByteArray(8, '\x7f');
    dir.writeFile(QStringLiteral("ZahlenCH.dat"), bytes);
    ASSERT_EQ(bytes.size(), 40);

    DrawArchive archive(dir.path(), Game::sixOf45());
    EXPECT_EQ(archive.scan(), (std::vector<Draw>{a, b}));
    EXPECT_EQ(archive.lastRecord(), b);

    ArchiveGate gate;
    auto appender = archive.openForAppend(gate.take());
    EXPECT_EQ(appender.last(), b);
    appender.append(c);
    appender.close();
    const QByteArray after = dir.readFile(QStringLiteral("ZahlenCH.dat"));
    EXPECT_EQ(after.size(), 48);
    const auto cb = DrawRecord::encode(c, Game::sixOf45());
    EXPECT_EQ(after.mid(32), QByteArray(reinterpret_cast<const char*>(cb.data()), 16));
    EXPECT_EQ(archive.scan(), (std::vector<Draw>{a, b, c}));
}

TEST(DrawArchive, AppendCreatesAMissingArchive) {
    TestDir dir;
    DrawArchive archive(dir.path(), Game::sixOf45());
    ArchiveGate gate;
    auto appender = archive.openForAppend(gate.take());
    EXPECT_FALSE(appender.last().has_value());
    appender.append(a);
    appender.append(b);
    appender.close();
    EXPECT_EQ(archive.scan(), (std::vector<Draw>{a, b}));

    // "6 aus 42" keeps its own archive, the same records with the Glückszahl in byte 14 and 0 in byte 15.
    const DrawArchive other(dir.path(), Game::sixOf42());
    auto gz = other.openForAppend(gate.take());
    gz.append(makeDraw(QDate(2013, 1, 12), {6, 8, 9, 12, 28, 30}, 4));
    gz.close();
    EXPECT_EQ(dir.readFile(QStringLiteral("Zahlen42.dat")).toHex(), QByteArray("00000000c028e440"
                                                                               "0608090c1c1e"
                                                                               "04"
                                                                               "00"));
    EXPECT_EQ(archive.scan(), (std::vector<Draw>{a, b}));
}

TEST(DrawArchive, InsertOrReplaceKeepsDateOrder) {
    TestDir dir;
    DrawArchive archive(dir.path(), Game::sixOf45());
    const Draw early = makeDraw(QDate(2002, 9, 28), {8, 9, 10, 11, 12, 13}, 1);
    const Draw between = makeDraw(QDate(2002, 10, 3), {8, 9, 10, 11, 12, 13}, 2);
    Draw replacement = b;
    replacement.numbers = {1, 11, 21, 31, 41, 44};

    struct Case {
        const char* what;
        std::vector<Draw> before;
        Draw insert;
        std::vector<Draw> after;
    };
    const Case cases[] = {
        {"before the first", {a, b, c}, early, {early, a, b, c}},
        {"between two", {a, b, c}, between, {a, between, b, c}},
        {"on a stored date", {a, b, c}, replacement, {a, replacement, c}},
        {"on a date stored twice", {a, b, b, c}, replacement, {a, replacement, c}},
        {"after the newest", {a, b}, c, {a, b, c}},
        {"into an empty archive", {}, b, {b}},
    };
    ArchiveGate gate;
    for (const auto& cs : cases) {
        dir.writeArchive(cs.before);
        const double last = archive.insertOrReplace(gate.take(), cs.insert);
        EXPECT_EQ(archive.scan(), cs.after) << cs.what;
        EXPECT_EQ(last, cs.after.back().date) << cs.what;
        EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("ZahlenCH.dat~")))) << cs.what;
    }
}

TEST(DrawArchive, DeleteDrawRemovesEveryRecordOfThatDrawOnly) {
    TestDir dir;
    DrawArchive archive(dir.path(), Game::sixOf45());
    ArchiveGate gate;
    const ArchiveLease lease = gate.take();
    dir.writeArchive({a, b, b, c});
    EXPECT_EQ(archive.deleteDraw(lease, b), 2);
    EXPECT_EQ(datesOf(archive.scan()), datesOf({a, c}));

    // Another date, or other numbers on the date: nothing is written.
    const QByteArray before = dir.readFile(QStringLiteral("ZahlenCH.dat"));
    Draw other = c;
    other.numbers[0] += 1;
    for (Draw d : {Draw{}, other}) EXPECT_EQ(archive.deleteDraw(lease, d), 0);
    EXPECT_EQ(dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Zahlen.da~"))));
}

// A read-only archive is the user's protection: every writer refuses it with the update's message, root
// as well, and leaves it as it was. A writable one keeps its permissions through every rewrite.
TEST(DrawArchive, EveryWriterRefusesAReadOnlyArchiveAndRewritesKeepThePermissions) {
    const struct {
        const char* name;
        std::function<void(const DrawArchive&, const ArchiveLease&)> write;
    } writers[] = {
        {"insert", [](const DrawArchive& x, const ArchiveLease& l) { x.insertOrReplace(l, c); }},
        {"delete", [](const DrawArchive& x, const ArchiveLease& l) { x.deleteDraw(l, a); }},
        {"replace all", [](const DrawArchive& x, const ArchiveLease& l) { x.replaceAll(l, {c}); }},
        {"append", [](const DrawArchive& x, const ArchiveLease& l) { x.openForAppend(l).append(c); }},
        {"replacement",
         [](const DrawArchive& x, const ArchiveLease& l) {
             auto work = x.openReplacement(l);
             work.append(c);
             x.commitReplacement(work);
         }},
    };
    // The bits of the file itself, not what they mean for the user running the test.
    const auto modeOf = [](const QString& path) {
        return QFile::permissions(path) &
               ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    };
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto shared = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    for (const auto& w : writers) {
        SCOPED_TRACE(w.name);
        TestDir dir;
        DrawArchive archive(dir.path(), Game::sixOf45());
        ArchiveGate gate;
        dir.writeArchive({a, b});
        const QByteArray before = dir.readFile(QStringLiteral("ZahlenCH.dat"));
        QFile::setPermissions(dir.archivePath(), readOnly);
        try {
            w.write(archive, gate.take());
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_EQ(
                e.message(),
                QStringLiteral("Keine Berechtigung, die Datei \"%1\" zu schreiben.").arg(dir.archivePath()));
        }
        EXPECT_EQ(dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
        EXPECT_EQ(modeOf(dir.archivePath()), readOnly);
        EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("ZahlenCH.dat~"))));

        QFile::setPermissions(dir.archivePath(), shared);
        w.write(archive, gate.take());
        EXPECT_NE(dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
        EXPECT_EQ(modeOf(dir.archivePath()), shared);
    }
}
