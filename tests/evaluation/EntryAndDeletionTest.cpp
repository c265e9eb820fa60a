// The manual entry and the deletion with the evaluation the app hands them.
#include "archive/DrawEntry.h"
#include "evaluation/Evaluation.h"

#include "EvaluationEnv.h"
#include "platform/Dates.h"

#include <gtest/gtest.h>

namespace {

const std::vector<Draw> archive = {
    makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4),
    makeDraw(QDate(2002, 10, 9), {1, 8, 19, 22, 30, 44}, 2, 5),
    makeDraw(QDate(2002, 10, 12), {6, 9, 14, 28, 36, 40}, 11, 6),
};

} // namespace

TEST(EntryAndDeletion, DeletingTheDrawOnDisplayShowsTheNextLaterDraw) {
    EvaluationEnv env;
    env.dir.writeArchive(archive);
    env.controls.setDate(QStringLiteral("DateTimePicker1"), QDate(2002, 10, 9));
    showDrawForDate(env.session);
    ASSERT_EQ(env.state.currentDraw.date, archive[1].date);

    env.ui.questionAnswers = {true};
    deleteCurrentDraw(env.session, [&] { showDrawForDate(env.session); });

    EXPECT_EQ(env.dir.readArchive(), (std::vector<Draw>{archive[0], archive[2]}));
    EXPECT_EQ(env.state.currentDraw.date, archive[2].date);
    EXPECT_EQ(env.state.drawIndex, 1);
    EXPECT_EQ(env.text("Label35"), QStringLiteral("Sa. 12.10.02    6  9  14  28  36  40 Z:11"));
    EXPECT_EQ(env.controls.date(QStringLiteral("DateTimePicker1")), QDate(2002, 10, 12));
    EXPECT_EQ(env.ui.busyDepth, 0);
}

TEST(EntryAndDeletion, AnEnteredDrawComesOnDisplayAsTheNewest) {
    EvaluationEnv env;
    env.dir.writeArchive(archive);
    const auto prompt = [](const Draw& preset) {
        Draw r = preset;
        r.date = dates::toDayNumber(QDate(2002, 10, 8)); // before the newest: inserted
        r.numbers = {41, 3, 25, 17, 12, 33};
        r.extra = 7;
        return std::optional<Draw>(r);
    };
    enterDraw(env.session, prompt, [&] { showDrawForDate(env.session); });
    EXPECT_EQ(env.dir.readArchive().size(), 4u);
    // The newest stored draw is on display, not the one just entered.
    EXPECT_EQ(env.state.currentDraw.date, archive[2].date);
    EXPECT_EQ(env.state.drawIndex, 3);
    EXPECT_EQ(env.text("Label29"), QStringLiteral("Sa. 12.10.02    6  9  14  28  36  40 Z:11"));
}
