#include "WindowFixture.h"

#include "platform/Dates.h"
#include "support/Modal.h"

#include <QApplication>
#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

// "Eingeben" through the window and the real dialog: the draw is stored sorted and comes on display.
TEST(ArchiveWindow, EnteringADrawThroughTheDialogStoresItAndShowsIt) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    f.open();
    whenModalNamed("TForm3", [](QWidget* dialog) {
        dialog->findChild<QDateEdit*>(QStringLiteral("DateTimePicker1"))->setDate(QDate(2002, 10, 9));
        const int typed[] = {41, 3, 25, 17, 12, 33, 7};
        for (int i = 0; i < 7; ++i) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i + 1));
            edit->selectAll();
            QTest::keyClicks(edit, QString::number(typed[i]));
        }
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    });
    f.click(QStringLiteral("BitBtn8"));
    const auto stored = f.dir.readArchive();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1], makeDraw(QDate(2002, 10, 9), {3, 12, 17, 25, 33, 41}, 7, 4));
    EXPECT_EQ(f.find<QDateEdit>(QStringLiteral("DateTimePicker1"))->date(), QDate(2002, 10, 9));
    EXPECT_TRUE(f.find<QLabel>(QStringLiteral("Label35"))->text().endsWith(QStringLiteral("41 Z:7")));
    EXPECT_EQ(f.window->status(0), QStringLiteral("2 Ziehungen")); // the count follows the archive

    // "Löschen" asks, naming the draw on display, takes it out again and shows the newest one left.
    f.dialogs->questionAnswers = {true};
    f.click(QStringLiteral("BitBtn6"));
    EXPECT_EQ(f.dialogs->questions,
              QStringList{
                  QStringLiteral("Soll die Ziehung vom 09.10.2002 (3 12 17 25 33 41 Z:7) gelöscht werden?")});
    EXPECT_EQ(f.dialogs->yesFirst, std::vector<bool>{false});
    ASSERT_EQ(f.dir.readArchive().size(), 1u);
    EXPECT_EQ(f.window->status(0), QStringLiteral("1 Ziehung"));
    EXPECT_EQ(f.context->state.currentDraw.date, dates::toDayNumber(QDate(2002, 10, 5)));
    EXPECT_TRUE(f.dialogs->errors.isEmpty());
}

TEST(ArchiveWindow, ExportWritesTheChosenFile) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 23, 34, 45}, 7, 4)});
    f.open();
    QString offered;
    f.context->chooseExportFile = [&](const QString& name) {
        offered = name;
        return name;
    };
    f.context->controls.setDate(QStringLiteral("DateTimePicker1"), QDate(2002, 1, 1));
    f.click(QStringLiteral("BitBtn3"));
    EXPECT_EQ(offered, f.dir.path() + QStringLiteral("CHJ2002.csv"));
    EXPECT_EQ(f.dir.readFile(QStringLiteral("CHJ2002.csv")),
              QByteArray("05.10.2002;3;12;17;23;34;45;7;\r\n"));
}

// "Import aus Text" through the window and Qt's real open dialog: the draws are stored, the newest is
// shown and evaluated, the frequencies are counted anew, and the report says what happened.
TEST(ArchiveWindow, ImportThroughTheOpenDialog) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 2), {1, 2, 3, 4, 5, 6}, 7, 4)});
    f.dir.writeFile(QStringLiteral("ziehungen.csv"), "Datum;Z1;Z2;Z3;Z4;Z5;Z6;ZZ\r\n"
                                                     "05.10.2002;3;12;17;23;34;45;7;\r\n"
                                                     "09.10.2002;3;12;17;23;34;99;7;\r\n");
    f.open();
    QString title;
    QStringList filters;
    whenModalNamed("OpenDialog1", [&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        acceptFileDialog(dialog, f.dir.file(QStringLiteral("ziehungen.csv")));
    });
    f.click(QStringLiteral("BitBtn9"));
    EXPECT_EQ(title, QStringLiteral("Ziehungen importieren"));
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Text- und CSV-Dateien (*.txt *.csv)"),
                                    QStringLiteral("Alle Dateien (*)")}));
    EXPECT_EQ(f.dir.readArchive().size(), 2u);
    EXPECT_EQ(
        f.dialogs->messages.value(f.dialogs->messages.size() - 1),
        QStringLiteral("Import abgeschlossen: 1 neue Ziehung, 0 ersetzt, 0 unverändert, 1 Zeile "
                       "übersprungen.\n\nziehungen.csv, Zeile 3: die Zahl 99 liegt nicht zwischen 1 und 45"));
    EXPECT_TRUE(f.find<QLabel>(QStringLiteral("Label35"))->text().endsWith(QStringLiteral("45 Z:7")));
    EXPECT_TRUE(f.context->chart.bottomTitle().contains(QStringLiteral("Ziehungen: 2 ")));
    EXPECT_TRUE(f.dialogs->errors.isEmpty());
}

// The draws of 6 aus 42 not stored since the newest are said in the status bar, counted down as they come,
// until it says that the archive is current.
TEST(ArchiveWindow, TheDrawsNotStoredAreSaidUntilTheArchiveIsCurrent) {
    WindowFixture f;
    f.today = QDate(2026, 1, 8); // a Thursday: the draws of 3 and 7 January are missing
    f.playing(Game::sixOf42(), shippedDraws(Game::sixOf42()));
    f.open(false);
    std::deque<QDate> entered{QDate(2026, 1, 3), QDate(2026, 1, 7)};
    f.context->askForDraw = [&entered](const Draw&) {
        return std::optional(makeDraw(entered.front(), {1, 2, 3, 4, 5, 6}, 1));
    };
    f.window->startUp();
    const QString missing =
        QStringLiteral("Neueste Ziehung: %1 – seither %2 nicht gespeichert; „Aktualisieren“ holt sie.");
    EXPECT_EQ(f.window->status(1), missing.arg("31.12.2025", "2 Ziehungen"));
    f.click(QStringLiteral("BitBtn8"));
    entered.pop_front();
    EXPECT_EQ(f.window->status(1), missing.arg("03.01.2026", "1 Ziehung"));
    f.click(QStringLiteral("BitBtn8"));
    const QString current =
        QStringLiteral("Neueste Ziehung: 07.01.2026 – die Datenbank ist auf dem neuesten Stand.");
    EXPECT_EQ(f.window->status(1), current);
    // On a draw day before its draw nothing is missing yet; the day after, that draw is.
    f.context->askForDraw = [](const Draw&) { return std::optional<Draw>(); };
    const std::pair<QDate, QString> days[] = {{QDate(2026, 1, 10), current},
                                              {QDate(2026, 1, 11), missing.arg("07.01.2026", "1 Ziehung")}};
    for (const auto& [day, said] : days) {
        f.context->clock.setToday(day);
        f.click(QStringLiteral("BitBtn8"));
        EXPECT_EQ(f.window->status(1), said);
    }
}
