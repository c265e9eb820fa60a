#include "evaluation/Evaluation.h"

#include "EvaluationEnv.h"
#include "platform/AppError.h"
#include "platform/Dates.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

// Saturdays, Wednesdays and one Friday draw (index 2), which no weekday box excludes.
const std::vector<Draw> archive = {
    makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4),  // 0 Sat
    makeDraw(QDate(2002, 10, 9), {1, 8, 19, 22, 30, 44}, 2, 5),   // 1 Wed
    makeDraw(QDate(2002, 10, 11), {2, 4, 6, 8, 10, 12}, 14, 1),   // 2 Fri
    makeDraw(QDate(2002, 10, 12), {6, 9, 14, 28, 36, 40}, 11, 6), // 3 Sat
    makeDraw(QDate(2002, 10, 16), {5, 10, 15, 20, 25, 45}, 1, 2), // 4 Wed
    makeDraw(QDate(2002, 10, 19), {7, 13, 21, 29, 37, 43}, 3, 8), // 5 Sat
};

QString caption(const Draw& r, const char* separator = "  ") {
    Draw d;
    d = r;
    return drawCaption(d, Game::sixOf45(), QString::fromLatin1(separator));
}

struct NavEnv : EvaluationEnv {
    explicit NavEnv(const std::vector<Draw>& records = archive) {
        dir.writeArchive(records);
        grid.clearAll();
        setRow(0, {"3", "12", "17", "25", "33", "41"}); // tells which draw the grid was evaluated against
    }
    void pick(const QDate& day) { controls.setDate(QStringLiteral("DateTimePicker1"), day); }
    // Everything a step may change.
    QStringList snapshot() const {
        return {text("Label29"),
                text("Label35"),
                text("Label13"),
                hits(0),
                controls.date(QStringLiteral("DateTimePicker1")).toString(Qt::ISODate),
                QString::number(state.currentDraw.date),
                QString::number(state.drawIndex)};
    }
    void expectShows(const Draw& r, int index, const char* separator = "  ") const {
        EXPECT_EQ(state.drawIndex, index);
        EXPECT_EQ(state.currentDraw.date, r.date);
        EXPECT_EQ(state.currentDraw.superNumber, r.superNumber);
        EXPECT_EQ(text("Label29"), caption(r, separator));
        EXPECT_EQ(text("Label35"), text("Label29"));
        EXPECT_EQ(text("Label13"), QStringLiteral("Quersumme: %1").arg(r.digitSum()));
        EXPECT_EQ(controls.date(QStringLiteral("DateTimePicker1")), dates::fromDayNumber(r.date));
    }
};

} // namespace

TEST(ShowDrawForDate, FirstDrawOnOrAfterTheDayElseTheNewest) {
    struct Case {
        QDate day;
        int index;
        const char* separator;
        const char* hits; // row 1 holds the numbers of the first draw
    };
    const Case cases[] = {
        {QDate(2002, 11, 1), 5, "  ", "0 + Z"}, // after every draw: the newest, the picker jumps back
        {QDate(2002, 10, 10), 2, "  ", "1"},    // between two draws: the later one
        {QDate(2002, 10, 12), 3, "  ", "0"},    // exactly on a draw
        {QDate(2002, 10, 1), 0, "   ", "6"},    // before the first: three blanks
        {QDate(2002, 10, 5), 0, "   ", "6"},
        {QDate(2002, 10, 19), 5, "  ", "0 + Z"}, // found in the last record
    };
    for (const auto& c : cases) {
        NavEnv env;
        env.pick(c.day);
        showDrawForDate(env.session);
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        env.expectShows(archive[static_cast<std::size_t>(c.index)], c.index, c.separator);
        EXPECT_EQ(env.hits(0), QString::fromLatin1(c.hits));
        EXPECT_TRUE(env.ui.messages.isEmpty());
    }
}

TEST(ShowDrawForDate, OneDrawArchiveAlwaysTwoBlanks) {
    for (const QDate& day : {QDate(2000, 1, 1), QDate(2002, 10, 5), QDate(2003, 1, 1)}) {
        NavEnv env({archive[0]});
        env.pick(day);
        showDrawForDate(env.session);
        env.expectShows(archive[0], 0, "  ");
        EXPECT_EQ(env.hits(0), QStringLiteral("6"));
    }
}

TEST(ShowDrawForDate, MissingOrEmptyArchiveChangesNothing) {
    NavEnv missing;
    QFile::remove(missing.dir.archivePath());
    const QStringList before = missing.snapshot();
    showDrawForDate(missing.session);
    EXPECT_EQ(missing.ui.messages,
              QStringList{QStringLiteral("Lesen Sie zuerst die Daten der Ziehungen ein")});
    EXPECT_EQ(missing.snapshot(), before);

    NavEnv empty(std::vector<Draw>{});
    empty.state.drawIndex = 3;
    const QStringList emptyBefore = empty.snapshot();
    showDrawForDate(empty.session);
    previousDraw(empty.session);
    nextDraw(empty.session);
    EXPECT_TRUE(empty.ui.messages.isEmpty());
    EXPECT_EQ(empty.snapshot(), emptyBefore);
}

TEST(DrawSteps, PreviousAndNextWithTheWeekdayBoxes) {
    enum Op { Prev, Next };
    struct Case {
        bool saturdays;
        bool wednesdays;
        int from;
        Op op;
        std::optional<int> rest; // none: nowhere to rest, nothing changes
    };
    const Case cases[] = {
        {true, true, 5, Next, 5}, // next on the last draw shows it again
        {true, true, 0, Prev, 0}, // previous on the first draw shows it again
        {true, true, 1, Next, 2},
        {true, true, 3, Prev, 2},
        {true, false, 0, Next, 2}, // Wednesdays skipped, the Friday is not
        {true, false, 3, Next, 5},
        {true, false, 5, Prev, 3},
        {true, false, 2, Prev, 0},
        {false, true, 4, Next, 4}, // the newest draw is an excluded Saturday: the step turns back
        {false, true, 2, Next, 4},
        {false, true, 1, Prev, std::nullopt}, // the only earlier draw is an excluded Saturday
        {false, false, 5, Prev, 2},
        {false, false, 3, Next, std::nullopt}, // the last two records are both excluded
        {false, false, 1, Prev, std::nullopt},
    };
    for (const auto& c : cases) {
        NavEnv env;
        env.pick(dates::fromDayNumber(archive[static_cast<std::size_t>(c.from)].date));
        showDrawForDate(env.session);
        ASSERT_EQ(env.state.drawIndex, c.from);
        env.controls.setChecked(QStringLiteral("CheckBox16"), c.saturdays);
        env.controls.setChecked(QStringLiteral("CheckBox17"), c.wednesdays);
        env.setRow(0, {"1", "8", "19", "22", "30", "44"});
        env.controls.setText(TipGrid::hitLabelName(0), QStringLiteral("not evaluated"));
        const QStringList before = env.snapshot();

        c.op == Prev ? previousDraw(env.session) : nextDraw(env.session);

        SCOPED_TRACE(testing::Message() << "sat " << c.saturdays << " wed " << c.wednesdays << " from "
                                        << c.from << (c.op == Prev ? " prev" : " next"));
        if (c.rest) {
            env.expectShows(archive[static_cast<std::size_t>(*c.rest)], *c.rest);
            EXPECT_NE(env.hits(0), QStringLiteral("not evaluated"));
        } else {
            EXPECT_EQ(env.snapshot(), before);
        }
    }
}

TEST(DrawSteps, TheTipSearchSequenceEndsWithBothBoxesOff) {
    NavEnv env;
    env.controls.setChecked(QStringLiteral("CheckBox16"), false);
    env.controls.setChecked(QStringLiteral("CheckBox17"), false);
    SessionDrawSteps steps(env.session);
    steps.showDrawForDate();
    steps.nextDraw();
    steps.previousDraw();
    steps.nextDraw();
    // Today's draw is the newest; next finds no draw to rest on and stays, previous goes back to the
    // Friday (never excluded), and the last next has nowhere to go from there.
    EXPECT_EQ(env.state.drawIndex, 2);
}

TEST(DrawSteps, MissingArchiveThrowsAndKeepsTheDraw) {
    NavEnv env;
    showDrawForDate(env.session);
    QFile::remove(env.dir.archivePath());
    const QStringList before = env.snapshot();
    EXPECT_THROW(previousDraw(env.session), AppError);
    EXPECT_THROW(nextDraw(env.session), AppError);
    EXPECT_EQ(env.snapshot(), before);
}
