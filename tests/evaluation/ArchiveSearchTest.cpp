#include "evaluation/Evaluation.h"
#include "evaluation/HitBalance.h"

#include "EvaluationEnv.h"
#include "platform/AppError.h"
#include "platform/Dates.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const std::vector<Draw> archive = {
    makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4),
    makeDraw(QDate(2002, 10, 9), {1, 8, 19, 22, 30, 44}, 2, 5),
    makeDraw(QDate(2002, 10, 12), {6, 9, 14, 28, 36, 40}, 11, 6),
};

struct SearchEnv : EvaluationEnv {
    SearchEnv() {
        dir.writeArchive(archive);
        grid.clearAll();
        setRow(0, {"1", "8", "19", "22", "30", "44"}); // the draw of 9 October
        setRow(2, {"3", "12", "17", "25", "2", "40"});
        for (int row = 8; row < TipGrid::Rows; ++row) {
            setRow(row, {"1", "8", "19", "22", "30", "44"});
            controls.setText(TipGrid::hitLabelName(row), QStringLiteral("keep"));
        }
        state.drawIndex = 1;
    }
};

} // namespace

TEST(ArchiveSearch, AsksForTheThresholdAndReportsEachHitWithTheDrawOnShow) {
    SearchEnv env;
    QStringList shownAtMessage;
    env.ui.onMessage = [&](const QString&) { shownAtMessage << env.text("Label29") << env.hits(0); };

    searchTipsInArchive(env.session);

    EXPECT_EQ(env.ui.inputs,
              QStringList{QStringLiteral("Bei wievielen Zahlen Übereinstellung stoppen?|Tipp-Test|6")});
    EXPECT_EQ(env.ui.messages, QStringList{QStringLiteral("Ein Treffer am: 09.10.2002")});
    EXPECT_EQ(shownAtMessage,
              (QStringList{QStringLiteral("Mi. 09.10.02    1  8  19  22  30  44 Z:2"), QStringLiteral("6")}));

    // The scan ends on the newest draw; rows 1..8 show their hits against it, rows 9..14 are untouched.
    EXPECT_EQ(env.text("Label29"), QStringLiteral("Sa. 12.10.02    6  9  14  28  36  40 Z:11"));
    EXPECT_EQ(env.text("Label35"), env.text("Label29"));
    EXPECT_EQ(env.text("Label13"), QStringLiteral("Quersummer: 133"));
    EXPECT_EQ(env.state.currentDraw.date, archive[2].date);
    EXPECT_EQ(env.hits(0), QStringLiteral("0"));
    EXPECT_EQ(env.hits(1), QStringLiteral("0")); // an empty row shows 0 in black here
    EXPECT_FALSE(env.hitsRed(1));
    EXPECT_EQ(env.hits(2), QStringLiteral("1"));
    for (int row = 8; row < TipGrid::Rows; ++row) EXPECT_EQ(env.hits(row), QStringLiteral("keep"));
    // No sorting, no digit sums, no sound, no change of the position of the draw on display.
    EXPECT_EQ(env.grid.rowTexts(2).join(' '), QStringLiteral("3 12 17 25 2 40"));
    EXPECT_EQ(env.sum(2), QString());
    EXPECT_TRUE(env.sound.played.isEmpty());
    EXPECT_EQ(env.state.drawIndex, 1);
    EXPECT_EQ(env.ui.busyMaxDepth, 0);
}

TEST(ArchiveSearch, ThresholdDecidesHowManyMessagesAndTheFromDateWhichDraws) {
    // Each box offers "Abbrechen", which ends the search; a search that finds nothing says so.
    // The status says what was compared; a stopped search leaves every row with the hits of the draw it
    // stopped on; a cancelled threshold starts none.
    struct Case {
        std::optional<QString> reply;
        QDate from;
        int stopAt; // the box whose "Abbrechen" is clicked; 0: none
        int messages;
        const char* status;
        const char* lastRowHits;
    };
    const Case cases[] = {
        {"7", QDate(1955, 10, 9), 0, 0,
         "Tipp-Test: 3 Ziehungen ab 05.10.2002 verglichen, kein Tipp hatte in einer Ziehung 7 oder mehr "
         "Treffer.",
         "0"},
        {"6", QDate(2002, 10, 10), 0, 0,
         "Tipp-Test: 1 Ziehung ab 12.10.2002 verglichen, kein Tipp hatte in einer Ziehung 6 oder mehr "
         "Treffer.",
         "0"},
        {"4", QDate(1955, 10, 9), 0, 2,
         "Tipp-Test: 3 Ziehungen ab 05.10.2002 verglichen, 2-mal hatte ein Tipp 4 oder mehr Treffer.", "0"},
        {"0", QDate(2002, 10, 9), 0, 16,
         "Tipp-Test: 2 Ziehungen ab 09.10.2002 verglichen, 16-mal hatte ein Tipp 0 oder mehr Treffer.", "0"},
        {"0", QDate(2002, 10, 9), 3, 3, "Tipp-Test: nach 1 von 2 Ziehungen abgebrochen.", "0"},
        {"-3", QDate(2002, 10, 12), 0, 8,
         "Tipp-Test: 1 Ziehung ab 12.10.2002 verglichen, 8-mal hatte ein Tipp -3 oder mehr Treffer.", "0"},
        {" 6 ", QDate(1955, 10, 9), 0, 1,
         "Tipp-Test: 3 Ziehungen ab 05.10.2002 verglichen, 1-mal hatte ein Tipp 6 oder mehr Treffer.", "0"},
        {"6", QDate(2003, 1, 1), 0, 0, "Tipp-Test: keine Ziehung ab 01.01.2003 verglichen.", ""},
        {std::nullopt, QDate(1955, 10, 9), 0, 0, "", ""},
    };
    for (const auto& c : cases) {
        SearchEnv env;
        env.controls.setDate(QStringLiteral("DateTimePicker2"), c.from);
        env.ui.inputAnswers.push_back(c.reply);
        env.ui.stopAtMessage = c.stopAt;
        searchTipsInArchive(env.session);
        SCOPED_TRACE(c.reply.value_or("cancelled").toStdString());
        EXPECT_EQ(env.ui.messages.size(), c.messages);
        EXPECT_EQ(env.ui.statusTexts[1], QString::fromUtf8(c.status));
        EXPECT_EQ(env.hits(7), QString::fromLatin1(c.lastRowHits));
    }
}

TEST(ArchiveSearch, WeekdayBoxesDoNotApply) {
    SearchEnv env;
    env.controls.setChecked(QStringLiteral("CheckBox16"), false);
    env.controls.setChecked(QStringLiteral("CheckBox17"), false);
    searchTipsInArchive(env.session);
    EXPECT_EQ(env.ui.messages.size(), 1);
}

TEST(ArchiveSearch, FailuresChangeNothing) {
    struct Case {
        const char* reply;
        bool archivePresent;
        const char* inMessage;
    };
    const Case cases[] = {
        {"sechs", true, "sechs"},
        {"", true, "''"},
        {"4.5", false, "4.5"}, // the reply is refused before the archive is looked at
        {"6", false, "ZahlenCH.dat"},
    };
    for (const auto& c : cases) {
        SearchEnv env;
        if (!c.archivePresent) QFile::remove(env.dir.archivePath());
        env.controls.setText(QStringLiteral("Label29"), QStringLiteral("before"));
        env.controls.setText(TipGrid::hitLabelName(0), QStringLiteral("before"));
        env.state.currentDraw = archive[0];
        env.ui.inputAnswers.push_back(QString::fromLatin1(c.reply));
        try {
            searchTipsInArchive(env.session);
            ADD_FAILURE() << "no error for " << c.reply;
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromLatin1(c.inMessage))) << e.message().toStdString();
        }
        EXPECT_EQ(env.text("Label29"), QStringLiteral("before"));
        EXPECT_EQ(env.hits(0), QStringLiteral("before"));
        EXPECT_EQ(env.state.currentDraw.date, archive[0].date);
    }
}

TEST(ArchiveSearch, LeavesTheChartOfTheLastStatistic) {
    SearchEnv env;
    env.chart.addBar(1, 5);
    env.chart.setBottomTitle(QStringLiteral("Häufigkeit"));
    searchTipsInArchive(env.session);
    ASSERT_EQ(env.chart.barCount(), 1);
    EXPECT_EQ(env.chart.barValue(0), 5);
    EXPECT_EQ(env.chart.bottomTitle(), QStringLiteral("Häufigkeit"));
}

// "Trefferbilanz": the classes of each complete tip over the draws the statistics select, the latest draw
// of its best class, and what chance gives in as many draws.
TEST(HitBalance, CountsEachClassOverTheSelectedDraws) {
    EvaluationEnv env;
    env.grid.clearAll();
    env.setRow(0, {"1", "2", "3", "4", "5", "6"});
    env.setRow(1, {"1", "2", "3", "4", "5", ""}); // incomplete: no tip
    env.setRow(2, {"10", "11", "12", "13", "14", "15"});
    env.setRow(3, {"42", "5", "4", "3", "2", "1"});
    env.setRow(4, {"1", "2", "3", "30", "31", "45"}); // its best class twice
    env.setRow(5, {"5", "5", "6", "7", "8", "9"});    // a number twice: no class at all
    env.dir.writeArchive({
        makeDraw(QDate(2005, 1, 1), {1, 2, 3, 4, 5, 6}, 7),     // before the from-date
        makeDraw(QDate(2005, 1, 5), {1, 2, 3, 4, 5, 6}, 7),     // a Wednesday, Wednesdays off
        makeDraw(QDate(2005, 1, 8), {1, 2, 3, 4, 5, 40}, 6),    // 5 + ZZ for the first tip
        makeDraw(QDate(2005, 1, 15), {41, 1, 2, 3, 4, 5}, 7),   // 5
        makeDraw(QDate(2005, 1, 22), {1, 2, 3, 4, 30, 31}, 5),  // 4
        makeDraw(QDate(2005, 1, 29), {1, 2, 3, 20, 30, 31}, 9), // 3
        makeDraw(QDate(2005, 2, 5), {1, 2, 20, 21, 30, 31}, 3), // 2: nothing
        makeDraw(QDate(2005, 2, 12), {1, 2, 3, 4, 5, 42}, 9),   // 5, and 6 for the fourth tip
        makeDraw(QDate(2005, 2, 19), {5, 6, 7, 8, 9, 10}, 11),  // every number of the sixth tip
    });
    env.controls.setDate(QStringLiteral("DateTimePicker2"), QDate(2005, 1, 5));
    env.controls.setChecked(QStringLiteral("CheckBox17"), false);

    const auto balance = tipHitBalance(env.session);
    ASSERT_TRUE(balance.has_value());
    EXPECT_EQ(balance->draws, 7);
    EXPECT_EQ(balance->caption(),
              QStringLiteral("Verglichen mit 7 Ziehungen ab 08.01.2005")); // the first compared
    const auto rows = balance->rows();
    const std::vector<QStringList> expected = {
        {"1. Tipp", "1  2  3  4  5  6", "0", "1", "2", "1", "1", "08.01.2005"},
        {"3. Tipp", "10  11  12  13  14  15", "0", "0", "0", "0", "0", "-"},
        {"4. Tipp", "42  5  4  3  2  1", "1", "0", "2", "1", "1", "12.02.2005"},
        {"5. Tipp", "1  2  3  30  31  45", "0", "0", "2", "1", "3", "29.01.2005"}, // the later "5"
        {"6. Tipp", "5  5  6  7  8  9 (Zahl doppelt)", "", "", "", "", "", ""},
        {"Zufall erwartet", "", "0.00000086", "0.0000052", "0.00020", "0.0096", "0.16", ""},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(balance->header().join('|'), QStringLiteral("Tipp|Zahlen|6|5 + ZZ|5|4|3|bester Treffer am"));
    EXPECT_TRUE(balance->text().startsWith(QStringLiteral(
        "Tipp\tZahlen\t6\t5 + ZZ\t5\t4\t3\tbester Treffer am\n1. Tipp\t1  2  3  4  5  6\t0\t1\t")));

    // What chance gives a tip in 1000 draws, and in the 2,096 draws of the shipped record: 1, 6, 228,
    // 11,115 and 182,780 of the 8,145,060 tips hit each class ("5" without the ZZ: 6 × 38, not 6 × 39).
    HitBalance thousand;
    thousand.draws = 1000;
    EXPECT_EQ(thousand.rows().back(),
              (QStringList{"Zufall erwartet", "", "0.00012", "0.00074", "0.028", "1.36", "22.44", ""}));
    const EvaluationEnv everyDraw; // the window's defaults select every draw
    const HitBalance shipped = countHitBalance(
        shippedDraws(), DrawFilter(everyDraw.controls, Game::sixOf45()), env.grid, Game::sixOf45());
    ASSERT_EQ(shipped.draws, 2096);
    EXPECT_EQ(shipped.rows().back(),
              (QStringList{"Zufall erwartet", "", "0.00026", "0.0015", "0.059", "2.86", "47.04", ""}));
    const double ways[] = {1, 6, 228, 11115, 182780};
    for (std::size_t c = 0; c < std::size(ways); ++c)
        EXPECT_DOUBLE_EQ(shipped.expected()[static_cast<std::size_t>(c)], 2096 * ways[c] / 8145060) << c;
    // "6 aus 42": eight ranks, the Glückszahl of the tip against the draw's, the chance row from the exact
    // odds for the 1,354 draws of its record.
    HitBalance record42;
    record42.game = &Game::sixOf42();
    record42.draws = 1354;
    EXPECT_EQ(record42.header().join('|'),
              QStringLiteral("Tipp|Zahlen|6 + GZ|6|5 + GZ|5|4 + GZ|4|3 + GZ|3|bester Treffer am"));
    EXPECT_EQ(record42.rows().back(), (QStringList{"Zufall erwartet", "", "0.000043", "0.00022", "0.0093",
                                                   "0.046", "0.41", "2.03", "6.14", "30.72", ""}));
    env.grid.clearAll();
    env.setRow(0, {"1", "2", "3", "4", "5", "6"});
    env.grid.setExtraCell(0, 3);
    const HitBalance ranks =
        countHitBalance({makeDraw(QDate(2013, 1, 12), {1, 2, 3, 4, 5, 6}, 3),
                         makeDraw(QDate(2013, 1, 16), {1, 2, 3, 4, 5, 7}, 2),
                         makeDraw(QDate(2013, 1, 19), {1, 2, 3, 4, 8, 9}, 3)},
                        DrawFilter(everyDraw.controls, Game::sixOf42()), env.grid, Game::sixOf42());
    EXPECT_EQ(ranks.tips.front().counts, (std::vector<int>{1, 0, 0, 1, 1, 0, 0, 0}));
    // A tip's Glückszahl stands after its numbers; a tip without one never reaches a "+ GZ" rank, and chance
    // is said for each kind the grid holds.
    env.setRow(1, {"7", "8", "9", "10", "11", "12"});
    HitBalance mixed =
        countHitBalance({}, DrawFilter(everyDraw.controls, Game::sixOf42()), env.grid, Game::sixOf42());
    mixed.draws = 1354;
    const auto mixedRows = mixed.rows();
    EXPECT_EQ(mixedRows[0][1], QStringLiteral("1  2  3  4  5  6  GZ 3"));
    EXPECT_EQ(std::vector(mixedRows.end() - 2, mixedRows.end()),
              (std::vector<QStringList>{{"Zufall erwartet (mit GZ)", "", "0.000043", "0.00022", "0.0093",
                                         "0.046", "0.41", "2.03", "6.14", "30.72", ""},
                                        {"Zufall erwartet (ohne GZ)", "", "0.00", "0.00026", "0.00", "0.056",
                                         "0.00", "2.44", "0.00", "36.86", ""}}));

    HitBalance one;
    one.draws = 1;
    one.fromDate = dates::toDayNumber(QDate(1955, 10, 9));
    EXPECT_EQ(one.caption(), QStringLiteral("Verglichen mit 1 Ziehung ab 09.10.1955"));

    // No complete tip: a message and no table; no archive: the error.
    env.grid.clearAll();
    EXPECT_FALSE(tipHitBalance(env.session).has_value());
    EXPECT_EQ(env.ui.messages.value(env.ui.messages.size() - 1),
              QStringLiteral("Keine vollständigen Tipps im Raster."));
    QFile::remove(env.dir.archivePath());
    EXPECT_THROW(tipHitBalance(env.session), AppError);
}
