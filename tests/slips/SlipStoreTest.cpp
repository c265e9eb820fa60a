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

const Slip Of42 =
    slipOf(Game::sixOf42(), QDate(2026, 1, 3), 4, {{{1, 8, 16, 24, 26, 34}, 2}, {{5, 6, 7, 8, 9, 10}, 6}});
const Slip Of45 = slipOf(Game::sixOf45(), QDate(2013, 1, 5), 1, {{{3, 8, 24, 30, 32, 33}, 0}});

void expectSame(const Slip& read, const Slip& written) {
    EXPECT_EQ(read.game, written.game);
    EXPECT_EQ(read.firstDraw, written.firstDraw);
    EXPECT_EQ(read.draws, written.draws);
    EXPECT_EQ(read.tipPriceCents, written.tipPriceCents);
    ASSERT_EQ(read.tips.size(), written.tips.size());
    for (std::size_t i = 0; i < read.tips.size(); ++i) {
        EXPECT_EQ(read.tips[i].numbers, written.tips[i].numbers);
        EXPECT_EQ(read.tips[i].extra, written.tips[i].extra);
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
    {
        SlipStore store(dir.path());
        EXPECT_FALSE(store.exists()); // no file until the first slip
        EXPECT_TRUE(store.slips(Game::sixOf42()).empty());
        const qint64 first = store.add(Of42);
        store.add(Of45);
        store.setPaid(first, 2050);
        store.markSeen({{first, QDate(2026, 1, 3), QStringLiteral("1 2 3 4 5 6 G:1")}});
    }
    SlipStore store(dir.path()); // the next start
    EXPECT_EQ(store.schemaVersion(), SlipStore::SchemaVersion);
    const auto of42 = store.slips(Game::sixOf42());
    ASSERT_EQ(of42.size(), 1u);
    expectSame(of42[0], Of42);
    EXPECT_EQ(of42[0].paidCents, 2050);
    EXPECT_EQ(store.seen(Game::sixOf42()).at(of42[0].id).at(QDate(2026, 1, 3)),
              QStringLiteral("1 2 3 4 5 6 G:1"));
    ASSERT_EQ(store.slips(Game::sixOf45()).size(), 1u);
    expectSame(store.slips(Game::sixOf45())[0], Of45);
    store.remove(of42[0].id);
    EXPECT_TRUE(store.slips(Game::sixOf42()).empty());
    EXPECT_TRUE(store.seen(Game::sixOf42()).empty());
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
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
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
             rawSql(p, QStringLiteral("PRAGMA user_version = 2"));
         },
         QStringLiteral(
             "Die Datei \"%1\" stammt von einer neueren Version des Programms; sie bleibt, wie sie ist.")},
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
    } typed[] = {{"20", 2000}, {"20.5", 2050},  {"20,50", 2050}, {"CHF 20.–", 2000}, {"1'234.05", 123405},
                 {"", -1},     {"zwanzig", -1}, {"-5", -1},      {"2.505", -1}};
    for (const auto& t : typed) EXPECT_EQ(parseCents(QString::fromUtf8(t.typed)), t.cents) << t.typed;
    EXPECT_EQ(formatCents(-10000), QStringLiteral("−100.00"));
    EXPECT_EQ(stakeText(5, 2, Game::sixOf42().tipPriceCents),
              QStringLiteral("Einsatz: 5 Tipps × 2 Ziehungen × CHF 2.50 = CHF 25.00"));
    // The draw days a slip plays: the game's own, from the first.
    EXPECT_EQ(slipOf(Game::sixOf42(), QDate(2026, 1, 3), 3, {}).drawDays(),
              (std::vector<QDate>{QDate(2026, 1, 3), QDate(2026, 1, 7), QDate(2026, 1, 10)}));
}
