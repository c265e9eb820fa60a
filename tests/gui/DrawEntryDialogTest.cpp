#include "gui/DrawEntryDialog.h"
#include "import/DrawEntry.h"
#include "platform/AppError.h"
#include "platform/Dates.h"
#include "support/EntryEnv.h"
#include "support/Modal.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace {

const std::vector<Draw>& archive = entryArchive;

QSpinBox* spinner(QWidget* dialog, int n) {
    return dialog->findChild<QSpinBox*>(QStringLiteral("UpDown%1").arg(n));
}

// Types the numbers into Edit1 .. Edit7 as a user would.
void typeNumbers(QWidget* dialog, const std::array<int, 7>& seven) {
    for (int i = 0; i < 7; ++i) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i + 1));
        edit->selectAll();
        QTest::keyClicks(edit, QString::number(seven[static_cast<std::size_t>(i)]));
    }
}

void setDate(QWidget* dialog, const QDate& date) {
    dialog->findChild<QDateEdit*>(QStringLiteral("DateTimePicker1"))->setDate(date);
}

void click(QWidget* dialog, const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

// Enters through the real dialog.
struct DialogEntryEnv : EntryEnv {
    Draw preset; // what the dialog showed

    // Opens the real dialog; the action fills it in while it is shown.
    void enter(std::function<void(QWidget*)> action) {
        whenModalOf("DrawEntryDialog", [this, action](QWidget* dialog) {
            preset = static_cast<DrawEntryDialog*>(dialog)->draw();
            action(dialog);
        });
        enterDraw(
            session, [](const Draw& p) { return askForDraw(p, Game::sixOf45()); }, [this] { evaluate(); });
    }
};

} // namespace

TEST(DrawEntryDialog, FormAndRanges) {
    DrawEntryDialog dialog(Game::sixOf45());
    EXPECT_EQ(dialog.objectName(), QStringLiteral("TForm3"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zahlen der Ziehung eingeben"));
    EXPECT_EQ(dialog.size(), QSize(465, 120));
    auto* date = dialog.findChild<QDateEdit*>(QStringLiteral("DateTimePicker1"));
    ASSERT_NE(date, nullptr);
    EXPECT_TRUE(date->calendarPopup());
    EXPECT_EQ(date->minimumDate(), QDate(1955, 10, 9));
    for (int n = 1; n <= 7; ++n) {
        ASSERT_NE(spinner(&dialog, n), nullptr) << n;
        EXPECT_EQ(spinner(&dialog, n)->minimum(), 1);
        EXPECT_EQ(spinner(&dialog, n)->maximum(), 45);
        EXPECT_NE(dialog.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n)), nullptr);
    }
    EXPECT_TRUE(spinner(&dialog, 8)->isHidden());
    // "6 aus 42": six numbers of 1 .. 42 and the Glückszahl 1 .. 6, "GZ:" before it; one of the six may
    // equal it.
    DrawEntryDialog six42(Game::sixOf42());
    EXPECT_EQ(spinner(&six42, 6)->maximum(), 42);
    EXPECT_EQ(spinner(&six42, 7)->maximum(), 6);
    EXPECT_EQ(six42.findChildren<QLabel*>().front()->text(), QStringLiteral("GZ:"));
    EXPECT_EQ(drawEntryProblem(makeDraw(QDate(2013, 1, 12), {6, 8, 9, 12, 28, 30}, 6), Game::sixOf42()),
              QString());
    EXPECT_EQ(
        drawEntryProblem(makeDraw(QDate(2013, 1, 12), {6, 6, 9, 12, 28, 30}, 4), Game::sixOf42()),
        QStringLiteral("Die Zahl 6 kommt mehrfach vor. Die sechs Zahlen müssen alle verschieden sein."));
    EXPECT_EQ(drawEntryProblem(makeDraw(QDate(2013, 1, 12), {6, 8, 9, 12, 28, 43}, 4), Game::sixOf42()),
              QStringLiteral("Die Zahlen müssen zwischen 1 und 42 liegen."));
    // EuroMillions: five numbers and two stars, "Sterne:" before them; the stars of the drum of that day.
    DrawEntryDialog em(Game::euroMillions());
    EXPECT_EQ(spinner(&em, 5)->maximum(), 50);
    EXPECT_EQ(spinner(&em, 7)->maximum(), 12);
    EXPECT_TRUE(spinner(&em, 8)->isHidden());
    Draw stars = makeDraw(QDate(2010, 1, 8), {1, 2, 3, 4, 5});
    for (const auto& [two, problem] :
         {std::pair{Numbers{1, 10}, "Die Sterne müssen zwischen 1 und 9 liegen."},
          {Numbers{3, 3}, "Die Zahl 3 kommt mehrfach vor. Die zwei Sterne müssen "
                          "verschieden sein."}}) {
        stars.extras = two;
        EXPECT_EQ(drawEntryProblem(stars, Game::euroMillions()), QString::fromUtf8(problem));
    }
    // Left abort, right OK; "Z:" bold and red.
    dialog.show();
    EXPECT_LT(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->x(),
              dialog.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->x());
    for (auto* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral("Z:")) {
            EXPECT_TRUE(label->font().bold());
            EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::red));
        }
        if (label->text() == QStringLiteral("S:")) {
            EXPECT_TRUE(label->isHidden());
        }
    }
}

TEST(DrawEntry, StoresTheSortedDrawBytesWithSzOfTheNewest) {
    DialogEntryEnv env;
    env.dir.writeArchive(archive);
    env.enter([](QWidget* dialog) {
        setDate(dialog, QDate(2002, 10, 16));
        typeNumbers(dialog, {41, 3, 25, 17, 12, 33, 7});
        click(dialog, "BitBtn2");
    });
    EXPECT_EQ(env.preset, archive[2]); // pre-filled with the newest draw
    QByteArray expected = env.dir.readFile(QStringLiteral("ZahlenCH.dat")).left(48);
    // 16 Oct 2002 is day 37545; 3 12 17 25 33 41, ZZ 7, SZ 6 kept from the newest draw.
    expected += QByteArray::fromHex("000000002055e240"
                                    "030c11192129"
                                    "07"
                                    "06");
    EXPECT_EQ(env.dir.readFile(QStringLiteral("ZahlenCH.dat")), expected);
    EXPECT_EQ(env.state.referenceDate, 37545);
    EXPECT_EQ(env.evaluations, 1);
    EXPECT_EQ(env.pickerAtEvaluation, QDate(2002, 10, 16));
}

TEST(DrawEntry, AppendsReplacesOrInsertsInDateOrder) {
    const Draw entered = makeDraw(QDate(2000, 1, 1), {2, 4, 6, 8, 10, 12}, 14, 6);
    const auto at = [&](const QDate& d) {
        Draw r = entered;
        r.date = dates::toDayNumber(d);
        return r;
    };
    // A stored draw of the date is replaced only after a yes to the question naming both, Nein first.
    const auto replacing = [](const char* date, const char* stored) {
        return QStringLiteral(
                   "Am %1 ist die Ziehung %2 gespeichert. Soll sie durch 2 4 6 8 10 12 Z:14 ersetzt "
                   "werden?")
            .arg(QLatin1String(date), QLatin1String(stored));
    };
    struct Case {
        QDate date;
        std::deque<bool> answers;
        std::vector<Draw> stored;
        QString question;
    };
    const Case cases[] = {
        {QDate(2002, 10, 16), {}, {archive[0], archive[1], archive[2], at(QDate(2002, 10, 16))}, {}},
        {QDate(2002, 10, 9),
         {true},
         {archive[0], at(QDate(2002, 10, 9)), archive[2]},
         replacing("09.10.2002", "1 8 19 22 30 44 Z:2")},
        {QDate(2002, 10, 9), {false}, archive, replacing("09.10.2002", "1 8 19 22 30 44 Z:2")},
        {QDate(2002, 10, 12),
         {true},
         {archive[0], archive[1], at(QDate(2002, 10, 12))},
         replacing("12.10.2002", "6 9 14 28 36 40 Z:11")},
        // A day without a draw only after a yes.
        {QDate(2002, 10, 8),
         {true},
         {archive[0], at(QDate(2002, 10, 8)), archive[1], archive[2]},
         QStringLiteral(
             "Die Ziehung ist auf einen Tag ohne Ziehung von 6 aus 45 datiert (Dienstag, 08.10.2002); "
             "keine Statistik zählt sie. Soll sie trotzdem übernommen werden?")},
        {QDate(2001, 1, 3), {}, {at(QDate(2001, 1, 3)), archive[0], archive[1], archive[2]}, {}},
    };
    for (const auto& c : cases) {
        DialogEntryEnv env;
        env.dir.writeArchive(archive);
        env.ui.questionAnswers = c.answers;
        env.enter([&](QWidget* dialog) {
            setDate(dialog, c.date);
            typeNumbers(dialog, {12, 10, 8, 6, 4, 2, 14});
            click(dialog, "BitBtn2");
        });
        SCOPED_TRACE(c.date.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(env.dir.readArchive(), c.stored);
        EXPECT_EQ(env.ui.questions, c.question.isEmpty() ? QStringList() : QStringList{c.question});
        if (!c.question.isEmpty()) {
            EXPECT_EQ(env.ui.presets, std::vector{Ui::Preset::No});
        }
        if (c.answers == std::deque<bool>{false}) continue; // nothing changed, nothing evaluated
        // Whatever was entered, the newest stored draw is then shown.
        EXPECT_EQ(env.pickerAtEvaluation, dates::fromDayNumber(c.stored.back().date));
        EXPECT_EQ(env.state.referenceDate, c.stored.back().date);
        EXPECT_FALSE(QFile::exists(env.dir.file(QStringLiteral("ZahlenCH.dat~"))));
    }
}

TEST(DrawEntry, CancelChangesNothingAndShowsTheNewest) {
    DialogEntryEnv env;
    env.dir.writeArchive(archive);
    const QByteArray before = env.dir.readFile(QStringLiteral("ZahlenCH.dat"));
    env.enter([](QWidget* dialog) {
        typeNumbers(dialog, {1, 2, 3, 4, 5, 6, 7});
        click(dialog, "BitBtn1");
    });
    EXPECT_EQ(env.dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
    EXPECT_EQ(env.evaluations, 1);
    EXPECT_EQ(env.pickerAtEvaluation, QDate(2002, 10, 12));
}

TEST(DrawEntry, EqualNumbersAreRefusedAndTheDialogKeepsTheValues) {
    struct Case {
        std::array<int, 7> seven;
        const char* number;
    };
    const Case cases[] = {
        {{5, 9, 5, 20, 30, 40, 7}, "5"},    // twice among the six
        {{5, 9, 15, 20, 30, 40, 30}, "30"}, // Z equal to one of the six
    };
    for (const auto& c : cases) {
        DialogEntryEnv env;
        env.dir.writeArchive(archive);
        const QByteArray before = env.dir.readFile(QStringLiteral("ZahlenCH.dat"));
        QString warning;
        bool openAfterRefusal = false;
        std::array<int, 7> kept{};
        env.enter([&](QWidget* dialog) {
            typeNumbers(dialog, c.seven);
            whenModalOf("QMessageBox", [&](QWidget* box) {
                warning = static_cast<QMessageBox*>(box)->text();
                static_cast<QMessageBox*>(box)->accept();
            });
            click(dialog, "BitBtn2");
            openAfterRefusal = dialog->isVisible();
            for (int i = 0; i < 7; ++i) kept[static_cast<std::size_t>(i)] = spinner(dialog, i + 1)->value();
            click(dialog, "BitBtn1");
        });
        EXPECT_TRUE(openAfterRefusal);
        EXPECT_EQ(kept, c.seven);
        EXPECT_TRUE(warning.contains(QStringLiteral("Die Zahl %1 kommt mehrfach vor").arg(c.number)))
            << warning.toStdString();
        EXPECT_EQ(env.dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
    }
}

TEST(DrawEntry, EmptyArchivePrefillsTheLastDrawDayAndAppends) {
    DialogEntryEnv env;
    env.dir.writeArchive({});
    env.enter([](QWidget* dialog) {
        typeNumbers(dialog, {45, 1, 22, 13, 9, 30, 2});
        click(dialog, "BitBtn2");
    });
    EXPECT_EQ(dates::fromDayNumber(env.preset.date), QDate(2002, 10, 16)); // Wednesday before Thursday 17th
    EXPECT_EQ(env.dir.readArchive(),
              (std::vector<Draw>{makeDraw(QDate(2002, 10, 16), {1, 9, 13, 22, 30, 45}, 2, 0)}));
    EXPECT_EQ(env.pickerAtEvaluation, QDate(2002, 10, 16));

    // Cancelled on an empty archive: no draw to show, nothing happens.
    DialogEntryEnv cancelled;
    cancelled.dir.writeArchive({});
    cancelled.enter([](QWidget* dialog) { click(dialog, "BitBtn1"); });
    EXPECT_TRUE(cancelled.dir.readArchive().empty());
    EXPECT_EQ(cancelled.evaluations, 0);
    EXPECT_EQ(cancelled.state.referenceDate, 12345);
}
