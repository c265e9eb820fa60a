#include "slips/SlipBook.h"

#include "platform/AppError.h"
#include "slips/SlipStore.h"
#include "support/SessionEnv.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

// A player's slip of 6 aus 42 over four draws from Saturday 3 January 2026, checked on Thursday the 15th:
// the draws of the 3rd and the 10th stored, those of the 7th and the 14th missing.
struct SlipBookEnv : SessionEnv {
    SlipStore store{dir.path()};
    std::vector<Draw> draws{makeDraw(QDate(2026, 1, 3), {1, 8, 16, 24, 26, 34}, 2),
                            makeDraw(QDate(2026, 1, 10), {9, 10, 11, 12, 13, 14}, 1)};
    SlipBookEnv() {
        state.game = &Game::sixOf42();
        clock.setToday(QDate(2026, 1, 15));
        write();
        Slip slip;
        slip.game = state.game;
        slip.firstDraw = QDate(2026, 1, 3);
        slip.draws = 4;
        slip.tipPriceCents = 250;
        slip.tips = {{{1, 8, 16, 24, 40, 41}, {5}}, {{2, 3, 4, 5, 6, 7}, {2}}};
        store.add(slip);
    }
    void write() { dir.writeArchive(draws, QStringLiteral("Zahlen42.dat")); }
    QString check() { return slips::checkSlips(session, store); }
};

} // namespace

// A rank is said once; a draw corrected says only what it changes, and one entered again in another order or
// with another Superzahl says nothing; news that cannot be kept is said all the same, and again next time.
TEST(SlipBook, EachRankIsSaidOnceAndACorrectionOnlyByWhatItChanges) {
    SlipBookEnv env;
    const struct {
        Draw third; // the draw of 3 January as the archive holds it now
        const char* said;
    } steps[] = {
        {env.draws[0], "Meine Scheine: Schein ab 03.01.2026, Tipp 1: 4 am 03.01.2026."},
        {env.draws[0], ""},
        {makeDraw(QDate(2026, 1, 3), {34, 26, 24, 16, 8, 1}, 2, 7), ""},
        {makeDraw(QDate(2026, 1, 3), {1, 8, 2, 3, 4, 30}, 2),
         "Meine Scheine: korrigiert: Schein ab 03.01.2026, Tipp 1 am 03.01.2026 nun –, vorher 4, Tipp 2 am "
         "03.01.2026 nun 3 + GZ, vorher –."},
    };
    for (const auto& step : steps) {
        env.draws[0] = step.third;
        env.write();
        EXPECT_EQ(env.check(), QString::fromUtf8(step.said));
    }
    const slips::Page page = slips::pageOf(env.session, env.store);
    ASSERT_EQ(page.rows.size(), 1u);
    EXPECT_EQ(page.rows[0].draws, QStringLiteral("2 von 4 gezogen, 2 fehlen im Archiv"));
    EXPECT_EQ(page.rows[0].ranks, QStringLiteral("1 × 3 + GZ"));
    ASSERT_EQ(page.hits[0].size(), 4u);
    EXPECT_EQ(page.hits[0][1].numbers, QStringLiteral("fehlt – „Aktualisieren“ oder „Eingeben“"));
    EXPECT_EQ(page.totals,
              QStringLiteral("Einsatz total CHF 20.00 · Ausbezahlt CHF 0.00 · Bilanz CHF −20.00\n"
                             "Bei reinem Zufall erwartet (ohne die 2 Ziehungen, die im Archiv fehlen): "
                             "0.091 × 3, 0.018 × 3 + GZ, 0.0060 × 4, 0.0012 × 4 + GZ"));

    // Another program holds the store while a new rank comes: it is said, and said again once it can be kept.
    env.draws.insert(env.draws.begin() + 1, makeDraw(QDate(2026, 1, 7), {1, 8, 16, 11, 12, 13}, 1));
    env.write();
    const QString news = QStringLiteral("Meine Scheine: Schein ab 03.01.2026, Tipp 1: 3 am 07.01.2026");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(env.store.path());
        ASSERT_TRUE(other.open());
        QSqlQuery(other).exec(QStringLiteral("BEGIN"));
        QSqlQuery(other).exec(QStringLiteral("SELECT count(*) FROM seen"));
        EXPECT_EQ(env.check(),
                  news + QStringLiteral(" (nicht vermerkt: Die geprüften Ziehungen der Scheine konnten "
                                        "nicht gespeichert werden. Die Datei \"%1\" wird gerade von "
                                        "einem anderen Programm benutzt.)")
                             .arg(env.store.path()));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    EXPECT_EQ(env.check(), news + QLatin1Char('.'));
}

// What the player writes as a slip's tips, in the grid or one a line, is taken whole or refused by its place.
TEST(SlipBook, TipsAreTakenWholeOrRefusedByTheirPlace) {
    const Game& g42 = Game::sixOf42();
    const struct {
        const char* text;
        const char* refused; // empty: taken
    } texts[] = {
        {"1 8 16 24 26 34  GZ 2\n\n6, 5, 4, 3, 2, 1 / 6", ""},
        {"1 8 16 24 26 34", "Zeile 1: Ein Tipp hat 6 Zahlen und eine Glückszahl."},
        {"1 8 16 24 26 34 2\n1 8 16 24 26 43 2", "Zeile 2: 43 ist keine Zahl von 6 aus 42."},
        {"\n  \n", "Es ist kein Tipp eingetragen."},
    };
    for (const auto& t : texts) {
        QString refused;
        std::vector<Tip> tips;
        try {
            tips = slips::tipsOfText(g42, QString::fromUtf8(t.text));
        } catch (const AppError& e) {
            refused = e.message();
        }
        EXPECT_EQ(refused, QString::fromUtf8(t.refused)) << t.text;
        if (refused.isEmpty()) {
            EXPECT_EQ(slips::tipsText(g42, tips), QStringLiteral("1 8 16 24 26 34  GZ 2\n1 2 3 4 5 6  GZ 6"));
        }
    }
    // A tip typed from its second cell is no tip left out: the slip is refused and nothing stored.
    SlipBookEnv env;
    env.grid.clearAll();
    for (int c = 1; c < 6; ++c) env.grid.setCellText(1, c, QString::number(c + 10));
    env.grid.setExtraCell(1, 3);
    QString refused;
    try {
        slips::saveSlip(env.session, env.store,
                        [](const Game&, const slips::SlipForm& f, bool) { return f; });
    } catch (const AppError& e) {
        refused = e.message();
    }
    EXPECT_EQ(refused, QStringLiteral("Der 2. Tipp ist nicht vollständig."));
    EXPECT_EQ(env.store.slips(g42).size(), 1u);
    // Nein keeps the slip.
    EXPECT_FALSE(slips::deleteSlip(env.session, env.store, env.store.slips(g42)[0]));
    EXPECT_EQ(env.store.slips(g42).size(), 1u);
    EXPECT_EQ(env.ui.questions.value(0),
              QStringLiteral("Soll der Schein ab 03.01.2026 mit 2 Tipps gelöscht werden?"));
}
