#include "slips/SlipStore.h"

#include "platform/AppError.h"
#include "support/TestDir.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

Slip slipOf(const Game& game, const QDate& first, int draws, std::vector<Tip> tips) {
    Slip s;
    s.game = &game;
    s.firstDraw = first;
    s.draws = draws;
    s.tips = std::move(tips);
    s.tipPriceCents = game.tipPriceCents;
    return s;
}

const Slip Of42 = slipOf(Game::sixOf42(), QDate(2026, 1, 3), 4,
                         {{{1, 8, 16, 24, 26, 34}, {2}}, {{5, 6, 7, 8, 9, 10}, {6}}});
const Slip Of45 = slipOf(Game::sixOf45(), QDate(2013, 1, 5), 1, {{{3, 8, 24, 30, 32, 33}, {}}});

void expectSame(const Slip& read, const Slip& written) {
    EXPECT_EQ(read.game, written.game);
    EXPECT_EQ(read.firstDraw, written.firstDraw);
    EXPECT_EQ(read.draws, written.draws);
    EXPECT_EQ(read.tipPriceCents, written.tipPriceCents);
    ASSERT_EQ(read.tips.size(), written.tips.size());
    for (std::size_t i = 0; i < read.tips.size(); ++i) {
        EXPECT_EQ(read.tips[i].numbers, written.tips[i].numbers);
        EXPECT_EQ(read.tips[i].extras, written.tips[i].extras);
    }
}

// Runs SQL on a file behind the program's back, as another tool would.
void rawSql(const QString& path, const QString& sql) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(sql));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
}

} // namespace

TEST(SlipStore, SlipsOutliveTheProgramAndKeepTheirGame) {
    TestDir dir;
    const SlipStore::Seen seen{
        0, QDate(2026, 1, 3), QStringLiteral("1 2 3 4 5 6 + 1"), {QStringLiteral("4"), {}}};
    qint64 newest = 0;
    {
        SlipStore store(dir.path());
        EXPECT_FALSE(store.exists()); // no file until the first slip
        EXPECT_TRUE(store.slips(Game::sixOf42()).empty());
        const qint64 first = store.add(Of42);
        store.add(Of45);
        store.setPaid(first, 2050);
        store.markSeen({{first, seen.day, seen.draw, seen.ranks}});
        newest = store.add(Of45);
        store.remove(newest);
    }
    SlipStore store(dir.path()); // the next start
    EXPECT_EQ(store.schemaVersion(), SlipStore::SchemaVersion);
    const auto of42 = store.slips(Game::sixOf42());
    ASSERT_EQ(of42.size(), 1u);
    expectSame(of42[0], Of42);
    EXPECT_EQ(of42[0].paidCents, 2050);
    const SlipStore::Seen read = store.seen(Game::sixOf42()).at(of42[0].id).at(seen.day);
    EXPECT_EQ(read.draw, seen.draw);
    EXPECT_EQ(read.ranks, seen.ranks);
    ASSERT_EQ(store.slips(Game::sixOf45()).size(), 1u);
    expectSame(store.slips(Game::sixOf45())[0], Of45);
    // A changed slip keeps what it was paid and what was said of it; ids never come back.
    Slip changed = of42[0];
    changed.draws = 2;
    changed.tips.pop_back();
    store.change(changed);
    expectSame(store.slips(Game::sixOf42())[0], changed);
    EXPECT_EQ(store.slips(Game::sixOf42())[0].paidCents, 2050);
    EXPECT_EQ(store.seen(Game::sixOf42()).at(changed.id).size(), 1u);
    EXPECT_GT(store.add(Of45), newest);
    store.remove(of42[0].id);
    EXPECT_TRUE(store.slips(Game::sixOf42()).empty());
    EXPECT_TRUE(store.seen(Game::sixOf42()).empty());
    // A slip that is no longer stored is said to be gone, by every write that needs it.
    const std::function<void()> writes[] = {[&] { store.remove(of42[0].id); },
                                            [&] { store.setPaid(of42[0].id, 1); },
                                            [&] { store.change(changed); }};
    for (const auto& write : writes) {
        try {
            write();
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Der Schein ist nicht mehr gespeichert."));
        }
    }
}

// A store of the first version, as the program before kept it, is taken to this one whole: its slips, what
// they were paid, and what was said of each draw seen.
TEST(SlipStore, AStoreOfTheFirstVersionIsTakenAlong) {
    TestDir dir;
    for (
        const char* sql :
        {"CREATE TABLE slips (id INTEGER PRIMARY KEY, game INTEGER NOT NULL, first_draw TEXT NOT NULL, draws "
         "INTEGER NOT NULL CHECK (draws BETWEEN 1 AND 52), tip_price_cents INTEGER NOT NULL, paid_cents "
         "INTEGER "
         "NOT NULL DEFAULT 0)",
         "CREATE TABLE tips (slip INTEGER NOT NULL REFERENCES slips (id), position INTEGER NOT NULL, n1 "
         "INTEGER "
         "NOT NULL, n2 INTEGER NOT NULL, n3 INTEGER NOT NULL, n4 INTEGER NOT NULL, n5 INTEGER NOT NULL, n6 "
         "INTEGER NOT NULL, extra INTEGER NOT NULL, PRIMARY KEY (slip, position))",
         "CREATE TABLE seen (slip INTEGER NOT NULL REFERENCES slips (id), day TEXT NOT NULL, draw TEXT NOT "
         "NULL, PRIMARY KEY (slip, day))",
         "INSERT INTO slips VALUES (1, 42, '2026-01-03', 4, 250, 1250), (2, 45, '2013-01-05', 1, 150, 0)",
         "INSERT INTO tips VALUES (1, 0, 1, 8, 16, 24, 26, 34, 2), (1, 1, 5, 6, 7, 8, 9, 10, 6), "
         "(2, 0, 3, 8, 24, 30, 32, 33, 0)",
         "INSERT INTO seen VALUES (1, '2026-01-03', '34 1 8 16 40 41 GZ:2'), (2, '2013-01-05', '3 8 24 30 32 "
         "33 Z:38')",
         "PRAGMA user_version = 1"})
        rawSql(dir.file(QString::fromLatin1(SlipStore::FileName)), QString::fromLatin1(sql));
    SlipStore store(dir.path());
    EXPECT_EQ(store.schemaVersion(), 2);
    Slip paid = Of42;
    paid.paidCents = 1250;
    expectSame(store.slips(Game::sixOf42()).at(0), paid);
    EXPECT_EQ(store.slips(Game::sixOf42()).at(0).paidCents, 1250);
    expectSame(store.slips(Game::sixOf45()).at(0), Of45);
    const SlipStore::Seen seen42 = store.seen(Game::sixOf42()).at(1).at(QDate(2026, 1, 3));
    EXPECT_EQ(seen42.draw, QStringLiteral("1 8 16 34 40 41 + 2"));
    EXPECT_EQ(seen42.ranks, (QStringList{QStringLiteral("4 + GZ"), QString()}));
    EXPECT_EQ(store.seen(Game::sixOf45()).at(2).at(QDate(2013, 1, 5)).ranks,
              QStringList{QStringLiteral("6")});
    // The new rules hold for what was taken along: a slip's tips and checks go with it.
    store.remove(1);
    EXPECT_TRUE(store.seen(Game::sixOf42()).empty());
    EXPECT_GT(store.add(Of42), 2);
}

// A store the program cannot use is named and left byte for byte as it was, whatever the program tried.
TEST(SlipStore, AStoreThatCannotBeUsedIsToldAndLeftAsItWas) {
    const struct {
        const char* name;
        std::function<void(const QString& dir, const QString& file)> make;
        QString told;
        bool readOnly = false;
    } cases[] = {
        {"damaged",
         [](const QString&, const QString& p) {
             QFile f(p);
             EXPECT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(QByteArray(4096, 'x'));
         },
         QStringLiteral(
             "Die Datei \"%1\" ist beschädigt oder keine Datenbank der Scheine; sie bleibt, wie sie ist.")},
        {"foreign",
         [](const QString&, const QString& p) {
             rawSql(p, QStringLiteral("CREATE TABLE kunden (name TEXT)"));
         },
         QStringLiteral("Die Datei \"%1\" ist keine Datenbank der Scheine; sie bleibt, wie sie ist.")},
        {"newer",
         [](const QString& d, const QString& p) {
             SlipStore(d).add(Of42);
             rawSql(p, QStringLiteral("PRAGMA user_version = 3"));
         },
         QStringLiteral(
             "Die Datei \"%1\" stammt von einer neueren Version des Programms; sie bleibt, wie sie ist.")},
        {"negative version",
         [](const QString&, const QString& p) { rawSql(p, QStringLiteral("PRAGMA user_version = -1")); },
         QStringLiteral("Die Datei \"%1\" ist keine Datenbank der Scheine; sie bleibt, wie sie ist.")},
        {"empty", [](const QString&, const QString& p) { QFile(p).open(QIODevice::WriteOnly); },
         QStringLiteral("Die Datei \"%1\" ist leer; die Scheine darin fehlen.")},
        // One page of 200 slips of 10 tips destroyed: the damage is told, however far into the file it lies.
        {"damaged page",
         [](const QString& d, const QString& p) {
             {
                 SlipStore store(d);
                 Slip ten = Of42;
                 ten.tips.resize(10, Of42.tips[0]);
                 for (int i = 0; i < 200; ++i) store.add(ten);
             }
             QFile f(p);
             EXPECT_TRUE(f.open(QIODevice::ReadWrite));
             f.seek(f.size() / 4096 / 2 * 4096);
             f.write(QByteArray(4096, '\0'));
         },
         QStringLiteral(
             "Die Datei \"%1\" ist beschädigt oder keine Datenbank der Scheine; sie bleibt, wie sie ist.")},
        // A write that fails halfway, after its slip and before its tips: no part of it stays.
        {"halfway",
         [](const QString& d, const QString& p) {
             SlipStore(d).add(Of42);
             rawSql(p, QStringLiteral(
                           "CREATE TRIGGER halt BEFORE INSERT ON tips BEGIN SELECT RAISE(ABORT, 'halt'); "
                           "END"));
         },
         QStringLiteral("Der Schein konnte nicht gespeichert werden.")},
        {"read-only", [](const QString& d, const QString&) { SlipStore(d).add(Of42); },
         QStringLiteral(
             "Der Schein konnte nicht gespeichert werden. Die Datei \"%1\" oder ihr Ordner kann nicht "
             "beschrieben werden."),
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDir dir;
        SlipStore store(dir.path());
        c.make(dir.path(), store.path());
        const QByteArray before = dir.readFile(QString::fromLatin1(SlipStore::FileName));
        const auto all = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        const bool root = ::geteuid() == 0;
        if (c.readOnly) {
            // Root writes everywhere: the test acts as the ordinary user "nobody" meanwhile.
            QFile::setPermissions(store.path(), all);
            QFile::setPermissions(dir.path(), all | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                                  QFileDevice::ExeOther);
            if (root) {
                ASSERT_EQ(::seteuid(65534), 0);
            }
        }
        QString told;
        try {
            if (!c.readOnly) store.verify();
            store.add(Of45);
        } catch (const AppError& e) {
            told = e.message();
        }
        if (root && c.readOnly) {
            ASSERT_EQ(::seteuid(0), 0);
        }
        QFile::setPermissions(dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_TRUE(told.contains(c.told.arg(store.path()))) << told.toStdString();
        EXPECT_EQ(dir.readFile(QString::fromLatin1(SlipStore::FileName)), before);
    }
}

TEST(Slip, AmountsAsTypedAndShown) {
    const struct {
        const char* typed;
        qint64 cents;
    } typed[] = {{"20", 2000},
                 {"20.5", 2050},
                 {"20,50", 2050},
                 {"CHF 20.–", 2000},
                 {"1'234.05", 123405},
                 {"1’234.05", 123405},
                 {"", 0},
                 {" ", 0},
                 {"12.50 CHF", 1250},
                 {"Fr. 12.50", 1250},
                 {"sfr. 3", 300},
                 {"10'000'000", 1000000000},
                 {"250'000'000.00", 25000000000},
                 {"zwanzig", -1},
                 {"-5", -1},
                 {"2.505", -1},
                 {"1'2'3", -1},
                 {"12'50", -1},
                 {"1'000'000'000", -1},
                 {"CHF", -1}};
    for (const auto& t : typed) EXPECT_EQ(parseCents(QString::fromUtf8(t.typed)), t.cents) << t.typed;
    EXPECT_EQ(formatCents(-10000), QStringLiteral("−100.00"));
    EXPECT_EQ(formatCents(123456789), QStringLiteral("1’234’567.89"));
    EXPECT_EQ(stakeText(5, 2, Game::sixOf42().tipPriceCents),
              QStringLiteral("Einsatz: 5 Tipps × 2 Ziehungen × CHF 2.50 = CHF 25.00"));
    // The draw days a slip plays: the game's own, from the first.
    EXPECT_EQ(slipOf(Game::sixOf42(), QDate(2026, 1, 3), 3, {}).drawDays(),
              (std::vector<QDate>{QDate(2026, 1, 3), QDate(2026, 1, 7), QDate(2026, 1, 10)}));
}
