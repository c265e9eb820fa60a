#include "evaluation/Evaluation.h"

#include "EvaluationEnv.h"
#include "platform/Dates.h"

#include <gtest/gtest.h>
#include <string_view>

namespace {

// Saturday 5 October 2002: 3 12 17 25 33 41, ZZ 7, SZ 4.
Draw sampleDraw() {
    Draw d;
    d = makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4);
    return d;
}

} // namespace

TEST(DrawCaption, WeekdayDateNumbersAndZusatzCharacterForCharacter) {
    struct Case {
        QDate date;
        std::initializer_list<int> six;
        int zz;
        QString separator;
        const char* caption;
        const Game* game = &Game::sixOf45();
    };
    const Case cases[] = {
        {QDate(2013, 1, 12),
         {6, 8, 9, 12, 28, 30},
         4,
         "  ",
         "Sa. 12.01.13    6  8  9  12  28  30 GZ:4",
         &Game::sixOf42()},
        {QDate(2002, 10, 5), {3, 12, 17, 23, 34, 45}, 7, "  ", "Sa. 05.10.02    3  12  17  23  34  45 Z:7"},
        {QDate(2002, 10, 9), {45, 1, 9, 10, 2, 30}, 44, "  ", "Mi. 09.10.02    45  1  9  10  2  30 Z:44"},
        {QDate(1999, 12, 31), {1, 2, 3, 4, 5, 6}, 10, "   ", "Fr. 31.12.99     1  2  3  4  5  6 Z:10"},
        {QDate(2010, 1, 3), {5, 6, 7, 8, 9, 10}, 11, "  ", "So. 03.01.10    5  6  7  8  9  10 Z:11"},
    };
    for (const auto& c : cases) {
        Draw d;
        d = makeDraw(c.date, c.six, c.zz, 3);
        EXPECT_EQ(drawCaption(d, *c.game, c.separator), QString::fromUtf8(c.caption));
    }
}

TEST(HitDisplay, CaptionColourAndZusatzSuffix) {
    struct Case {
        quint8 hits;
        bool zusatz;
        const char* caption;
        bool red;
        const Game* game = &Game::sixOf45();
    };
    const Case cases[] = {
        {3, true, "3 + G", true, &Game::sixOf42()},
        {1, true, "1 + 1", false, &Game::euroMillions()},
        {2, false, "2", true, &Game::euroMillions()},
        {6, false, "6", true},
        {3, true, "3 + Z", true},
        {2, true, "2 + Z", false},
        {0, false, "0", false},
        {3, false, "3", true},
        {5, true, "5 + Z", true},
    };
    Controls controls;
    for (const auto& c : cases) {
        controls.setRed(QStringLiteral("Label22"), !c.red); // the label's previous colour must not stick
        showHits(controls, QStringLiteral("Label22"), TipCheck{c.hits, {c.zusatz ? 1 : 0}}, *c.game);
        EXPECT_EQ(controls.text(QStringLiteral("Label22")), QString::fromLatin1(c.caption));
        EXPECT_EQ(controls.red(QStringLiteral("Label22")), c.red) << c.caption;
    }
}

TEST(Komplettcheck, SortsCompleteRowsShowsDigitSumAndHits) {
    EvaluationEnv env;
    env.grid.clearAll();
    env.state.currentDraw = sampleDraw();
    env.setRow(0, {"12", "5", "40", "3", "33", "7"});   // 3 12 33 and ZZ
    env.setRow(1, {"41", "33", "25", "17", "12", "3"}); // all six
    env.setRow(2, {"1", "2", "4", "5", "6", "8"});      // nothing
    env.setRow(13, {"7", "3", "12", "9", "10", "11"});  // two and ZZ: black with suffix

    komplettcheck(env.session);

    EXPECT_EQ(env.grid.rowTexts(0).join(' '), QStringLiteral("3 5 7 12 33 40"));
    EXPECT_EQ(env.sum(0), QStringLiteral("100"));
    EXPECT_EQ(env.hits(0), QStringLiteral("3 + Z"));
    EXPECT_TRUE(env.hitsRed(0));
    EXPECT_EQ(env.grid.rowTexts(1).join(' '), QStringLiteral("3 12 17 25 33 41"));
    EXPECT_EQ(env.sum(1), QStringLiteral("131"));
    EXPECT_EQ(env.hits(1), QStringLiteral("6"));
    EXPECT_TRUE(env.hitsRed(1));
    EXPECT_EQ(env.hits(2), QStringLiteral("0"));
    EXPECT_FALSE(env.hitsRed(2));
    EXPECT_EQ(env.sum(2), QStringLiteral("26"));
    EXPECT_EQ(env.hits(13), QStringLiteral("2 + Z"));
    EXPECT_FALSE(env.hitsRed(13));
    EXPECT_EQ(env.grid.rowTexts(13).join(' '), QStringLiteral("3 7 9 10 11 12"));
    // The last comparison is the one of row 14.
    EXPECT_EQ(env.state.lastCheck.hitCount, 2);
    EXPECT_EQ(env.state.lastCheck.extraHits, Numbers{1});
}

TEST(Komplettcheck, IncompleteRowsKeepTheirLabelsAndCells) {
    EvaluationEnv env;
    env.grid.clearAll();
    env.state.currentDraw = sampleDraw();
    env.setRow(0, {"41", "33", "25", "17", "12", ""}); // five numbers
    env.setRow(1, {"", "", "", "", "", ""});
    for (int row : {0, 1}) {
        env.controls.setText(TipGrid::hitLabelName(row), QStringLiteral("old"));
        env.controls.setRed(TipGrid::hitLabelName(row), true);
        env.controls.setText(TipGrid::sumLabelName(row), QStringLiteral("99"));
    }
    komplettcheck(env.session);
    for (int row : {0, 1}) {
        EXPECT_EQ(env.hits(row), QStringLiteral("old"));
        EXPECT_TRUE(env.hitsRed(row));
        EXPECT_EQ(env.sum(row), QStringLiteral("99"));
    }
    EXPECT_EQ(env.grid.rowTexts(0).join(' '), QStringLiteral("41 33 25 17 12 "));
    EXPECT_TRUE(env.sound.played.isEmpty());
}

TEST(Komplettcheck, SoundForEveryRowWithMoreThanThreeHits) {
    struct Case {
        std::vector<std::vector<const char*>> rows; // owned: initializer lists would dangle here
        int plays;
    };
    const Case cases[] = {
        {{{"3", "12", "17", "25", "1", "2"}, {"3", "12", "17", "25", "33", "2"}}, 2}, // 4 and 5 hits
        {{{"3", "12", "17", "1", "2", "7"}}, 0},                                      // 3 + Z is not enough
        {{{"3", "12", "17", "25", "33", "41"}, {"1", "2", "4", "5", "6", "8"}}, 1},
        // A number twice would count twice: the row says so instead, and no sound plays.
        {{{"3", "3", "12", "17", "25", "33"}}, 0},
    };
    for (const auto& c : cases) {
        EvaluationEnv env;
        env.grid.clearAll();
        env.state.currentDraw = sampleDraw();
        env.state.hitSoundFile = QStringLiteral("yippee.wav");
        int row = 0;
        for (const auto& r : c.rows) env.setRow(row++, r);
        komplettcheck(env.session);
        EXPECT_EQ(env.sound.played.size(), c.plays);
        if (std::string_view(c.rows.front()[0]) == c.rows.front()[1]) { // the texts, not their addresses
            EXPECT_EQ(env.controls.text(TipGrid::hitLabelName(0)), QStringLiteral("Zahl doppelt"));
            EXPECT_FALSE(env.controls.red(TipGrid::hitLabelName(0)));
        }
        for (const QString& file : env.sound.played) EXPECT_EQ(file, QStringLiteral("yippee.wav"));
    }
}

TEST(Komplettcheck, NothingWhileTheGridIsNotReady) {
    EvaluationEnv env;
    env.grid.clearAll();
    env.state.currentDraw = sampleDraw();
    env.state.readyFlag = false;
    env.setRow(0, {"41", "33", "25", "17", "12", "3"});
    komplettcheck(env.session);
    EXPECT_EQ(env.grid.rowTexts(0).join(' '), QStringLiteral("41 33 25 17 12 3"));
    EXPECT_EQ(env.hits(0), QString());
    EXPECT_EQ(env.sum(0), QString());
    EXPECT_TRUE(env.sound.played.isEmpty());
}
