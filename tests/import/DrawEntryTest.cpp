// The manual entry and the deletion, on their own and with the evaluation the app hands them. The entry
// through its dialog is tested with the dialog (gui/DrawEntryDialogTest.cpp).
#include "import/DrawEntry.h"

#include "evaluation/Evaluation.h"
#include "evaluation/EvaluationEnv.h"
#include "platform/AppError.h"
#include "platform/Dates.h"
#include "support/EntryEnv.h"

#include <QFile>
#include <deque>
#include <gtest/gtest.h>

namespace {

const std::vector<Draw>& archive = entryArchive;

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
        r.date = dates::toDayNumber(QDate(2002, 10, 2)); // before the newest: inserted
        r.numbers = {41, 3, 25, 17, 12, 33};
        r.extras = {7};
        return std::optional<Draw>(r);
    };
    enterDraw(env.session, prompt, [&] { showDrawForDate(env.session); });
    EXPECT_EQ(env.dir.readArchive().size(), 4u);
    // The newest stored draw is on display, not the one just entered.
    EXPECT_EQ(env.state.currentDraw.date, archive[2].date);
    EXPECT_EQ(env.state.drawIndex, 3);
    EXPECT_EQ(env.text("Label29"), QStringLiteral("Sa. 12.10.02    6  9  14  28  36  40 Z:11"));
}

TEST(DrawEntry, MissingArchiveChangesNothing) {
    EntryEnv env;
    bool asked = false;
    EXPECT_THROW(enterDraw(
                     env.session,
                     [&](const Draw&) {
                         asked = true;
                         return std::optional<Draw>();
                     },
                     [&] { env.evaluate(); }),
                 AppError);
    EXPECT_FALSE(asked);
    EXPECT_FALSE(QFile::exists(env.dir.archivePath()));
    EXPECT_EQ(env.evaluations, 0);
    EXPECT_EQ(env.state.referenceDate, 12345);

    env.state.currentDraw = archive[1];
    env.ui.questionAnswers = {true};
    EXPECT_THROW(deleteCurrentDraw(env.session, [&] { env.evaluate(); }), AppError);
    EXPECT_FALSE(QFile::exists(env.dir.archivePath()));
    EXPECT_EQ(env.evaluations, 0);
    EXPECT_EQ(env.ui.busyDepth, 0);
}

TEST(DrawEntry, InvalidDrawFromAPromptIsNeverStored) {
    // Whatever prompt is wired in, a draw outside the game's numbers does not reach the archive.
    EntryEnv env;
    env.dir.writeArchive(archive);
    const QByteArray before = env.dir.readFile(QStringLiteral("ZahlenCH.dat"));
    const auto prompt = [](const Draw& p) {
        Draw r = p;
        r.numbers[0] = 49;
        return std::optional<Draw>(r);
    };
    EXPECT_THROW(enterDraw(env.session, prompt, [&] { env.evaluate(); }), AppError);
    EXPECT_EQ(env.dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
}

// "Löschen" names the draw on display and asks, Nein first; only a yes deletes, under the hourglass, and the
// evaluation starts from the deleted date whatever the date field showed before.
TEST(DrawDeletion, AsksForTheDrawOnDisplayAndRemovesEveryRecordOfItsDate) {
    const QString question =
        QStringLiteral("Soll die Ziehung vom 09.10.2002 (1 8 19 22 30 44 Z:2) gelöscht werden?");
    const struct {
        double date;
        std::deque<bool> answers;
        std::vector<Draw> left;
        QStringList questions;
        QStringList messages;
        bool readOnly = false; // the rewrite fails after the question
    } cases[] = {
        {archive[1].date, {true}, {archive[0], archive[2]}, {question}, {}},
        {archive[1].date, {true}, archive, {question}, {}, true},
        {archive[1].date, {false}, archive, {question}, {}},
        {0,
         {},
         archive,
         {},
         {QStringLiteral("Es wird keine Ziehung angezeigt, die gelöscht werden könnte.")}},
        // A draw on display that is not the one stored on its date (a web page's): nothing to delete.
        {archive[2].date, {}, archive, {}, {QStringLiteral("Die angezeigte Ziehung ist nicht gespeichert.")}},
    };
    for (const auto& c : cases) {
        EntryEnv env;
        env.dir.writeArchive(archive);
        env.state.currentDraw = archive[1];
        env.state.currentDraw.date = c.date;
        env.ui.questionAnswers = c.answers;
        if (c.readOnly) QFile::setPermissions(env.dir.archivePath(), QFileDevice::ReadOwner);
        int busyDuringEvaluation = -1;
        QString error;
        try {
            deleteCurrentDraw(env.session, [&] {
                env.evaluate();
                busyDuringEvaluation = env.ui.busyDepth;
            });
        } catch (const AppError& e) {
            error = e.message();
        }
        EXPECT_EQ(!error.isEmpty(), c.readOnly) << error.toStdString();
        EXPECT_EQ(env.ui.busyDepth, 0); // the hourglass goes however the deletion ends
        EXPECT_EQ(env.dir.readArchive(), c.left);
        EXPECT_EQ(env.ui.questions, c.questions);
        EXPECT_EQ(env.ui.messages, c.messages);
        EXPECT_EQ(env.ui.busyAtBoxes, 0);
        const bool deleted = c.left.size() < archive.size();
        EXPECT_EQ(env.ui.busyMaxDepth, deleted || c.readOnly ? 1 : 0);
        EXPECT_EQ(busyDuringEvaluation, deleted ? 0 : -1);
        EXPECT_EQ(env.evaluations, deleted ? 1 : 0);
        if (deleted) {
            EXPECT_EQ(env.pickerAtEvaluation, QDate(2002, 10, 9));
        }
    }
}

// What "Eingeben" takes: never a date after today; a day without a draw of the game, and a draw that differs
// from the stored one in its Superzahl only, after a yes (Nein first).
TEST(DrawEntry, EnteredDatesAndSuperzahlenAreAskedAbout) {
    const auto on = [](const QDate& day, int sz) {
        Draw d = archive[1];
        d.date = dates::toDayNumber(day);
        d.superNumber = sz;
        return d;
    };
    const QString noDraw =
        QStringLiteral("Die Ziehung ist auf einen Tag ohne Ziehung von 6 aus 45 datiert (%1); "
                       "keine Statistik zählt sie. Soll sie trotzdem übernommen werden?");
    const struct {
        Draw entered;
        QString question; // asked and answered Nein; empty: none
        QString error;
    } cases[] = {
        {on(QDate(2002, 10, 19), 5), {}, QStringLiteral("Die Ziehung vom 19.10.2002 liegt in der Zukunft.")},
        {on(QDate(2002, 10, 13), 5), noDraw.arg("Sonntag, 13.10.2002"), {}},
        {on(QDate(1985, 12, 28), 5), noDraw.arg("Samstag, 28.12.1985"), {}},
        {on(QDate(2002, 10, 9), 6),
         QStringLiteral(
             "Am 09.10.2002 ist die Ziehung 1 8 19 22 30 44 Z:2 mit der Superzahl 5 gespeichert. Soll "
             "sie durch dieselbe mit der Superzahl 6 ersetzt werden?"),
         {}},
    };
    for (const auto& c : cases) {
        EntryEnv env;
        env.dir.writeArchive(archive);
        QString error;
        try {
            enterDraw(
                env.session, [&](const Draw&) { return std::optional<Draw>(c.entered); }, [] {});
        } catch (const AppError& e) {
            error = e.message();
        }
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(env.ui.questions, c.question.isEmpty() ? QStringList() : QStringList{c.question});
        EXPECT_EQ(env.dir.readArchive(), archive);
    }
}
