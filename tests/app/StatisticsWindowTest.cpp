#include "WindowFixture.h"
#include "support/Modal.h"

#include "evaluation/HitBalance.h"
#include "platform/ChartModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

// A group search counts on a draw of its own: afterwards the tips are still evaluated against the draw
// the caption names, not against the last draw the search looked at.
TEST(StatisticsWindow, PairSearchLeavesTheDrawOnDisplay) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 2), {1, 2, 3, 4, 5, 6}, 7, 1),
                        makeDraw(QDate(2002, 10, 5), {11, 12, 13, 14, 15, 16}, 17, 2),
                        makeDraw(QDate(2002, 10, 9), {21, 22, 23, 24, 25, 26}, 27, 3)});
    f.open(true);
    f.click(QStringLiteral("SpeedButton6")); // back to the draw of 5 October
    const QString caption = f.context->controls.text(QStringLiteral("Label29"));
    const auto numbersBefore = f.context->state.currentDraw.numbers;
    const double dateBefore = f.context->state.currentDraw.date;
    ASSERT_EQ(numbersBefore[0], 11);

    f.context->grid.writeTip(0, {11, 12, 13, 14, 15, 16});
    f.click(QStringLiteral("Button2"));
    EXPECT_TRUE(f.context->chart.bottomTitle().startsWith(QStringLiteral("Bei 3 Ziehungen wurden 15 Paare")));
    EXPECT_EQ(f.context->state.currentDraw.numbers, numbersBefore);
    EXPECT_EQ(f.context->state.currentDraw.date, dateBefore);
    EXPECT_EQ(f.context->controls.text(QStringLiteral("Label29")), caption);

    // Leaving a tip cell evaluates against the draw on display: all six hit.
    QLineEdit* cell = f.find<QLineEdit>(TipGrid::cellName(0, 0));
    ASSERT_NE(cell, nullptr);
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(cell, &leave);
    EXPECT_EQ(f.context->controls.text(TipGrid::hitLabelName(0)), QStringLiteral("6"));
    EXPECT_TRUE(f.dialogs->errors.isEmpty());
}

// Each statistics button of pages "Diagramm" and "Datenbank" draws its own chart under its own caption.
TEST(StatisticsWindow, EveryStatisticsButtonGivesItsOwnCaption) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 2), {1, 2, 3, 4, 5, 6}, 7, 1),
                        makeDraw(QDate(2002, 10, 5), {11, 12, 13, 14, 15, 16}, 17, 2)});
    f.open(true);
    const std::pair<const char*, QString> buttons[] = {
        {"SpeedButton2", QStringLiteral("Zahlenverteilung     Ziehungen: 2    Quersumme: 51")},
        {"SpeedButton1", QStringLiteral("Zahlenverteilung")},
        {"SpeedButton9", QStringLiteral("Quersummenverteilung     Ziehungen: 2    Quersumme: 51")},
        {"Button2", QStringLiteral("Bei 2 Ziehungen wurden 10 Paare gefunden!")},
        {"Button3", QStringLiteral("Bei 2 Ziehungen wurden 8 Dreier gefunden!")},
        {"Button4", QStringLiteral("Bei 2 Ziehungen wurden 6 Vierer gefunden!")},
        {"Button5",
         QStringLiteral("Welche Zahl ist überfällig, wurde als seit wievielen Ziehungen nicht gezogen?")},
    };
    for (const auto& [button, caption] : buttons) {
        f.context->chart.setBottomTitle(QString());
        f.click(QString::fromLatin1(button));
        EXPECT_EQ(f.context->chart.bottomTitle(), caption) << button;
    }
    EXPECT_TRUE(f.dialogs->errors.isEmpty());
}

// The window grows and the chart with it; its size and place come back at the next start, and a stored
// value that is no geometry leaves the window at its own size without a word.
TEST(StatisticsWindow, TheWindowGrowsAndKeepsItsSize) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    MainWindow& w = f.open();
    EXPECT_EQ(w.minimumSize(), QSize(519, 451));
    w.show();
    w.resize(1000, 700);
    f.find<QTabWidget>(QStringLiteral("PageControl1"))
        ->setCurrentWidget(f.find<QWidget>(QStringLiteral("TabSheet5")));
    QCoreApplication::processEvents();
    const QSize chart = f.find<QWidget>(QStringLiteral("Chart1"))->size();
    EXPECT_GE(chart.width(), 900);
    EXPECT_GE(chart.height(), 550);
    EXPECT_EQ(f.find<QWidget>(QStringLiteral("BitBtn4"))->pos(), QPoint(378, 190)); // the other pages stay

    f.reopen();
    EXPECT_EQ(f.window->size(), QSize(1000, 700));
    EXPECT_TRUE(f.dialogs->errors.isEmpty());

    f.window->close();
    {
        QSettings raw(f.settingsFile, QSettings::IniFormat);
        raw.setValue(QStringLiteral("FormGeometry"), QStringLiteral("Müll"));
    }
    // Without a size of its own the window opens as wide as the tabs of all six pages need.
    f.open();
    EXPECT_EQ(f.window->size(), f.window->firstSize());
    f.window->show();
    QCoreApplication::processEvents();
    const QTabBar* tabs = f.find<QTabWidget>(QStringLiteral("PageControl1"))->tabBar();
    EXPECT_LE(tabs->sizeHint().width(), tabs->width());
    EXPECT_GT(f.window->width(), 519);
    EXPECT_TRUE(f.dialogs->errors.isEmpty());
    {
        QSettings raw(f.settingsFile, QSettings::IniFormat);
        raw.setValue(QStringLiteral("FormGeometry"), QByteArray("\x01\xd9\xd0\xcb", 4));
    }
    f.reopen();
    EXPECT_EQ(f.window->size(), f.window->firstSize());
}

// "Trefferbilanz" through the window: the dialog shows the table of the grid's tips against the selected
// draws, copies it, and closes; without a complete tip only the message comes.
TEST(StatisticsWindow, TheHitBalanceOfTheTips) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 2), {1, 2, 3, 4, 5, 6}, 7, 1),
                        makeDraw(QDate(2002, 10, 5), {1, 2, 3, 14, 15, 16}, 17, 2)});
    f.open(true);
    QStringList header, firstRow;
    QString caption;
    QTimer::singleShot(0, [&] {
        auto* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), QStringLiteral("TForm7"));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Trefferbilanz der Tipps"));
        caption = dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
        for (int c = 0; c < table->columnCount(); ++c) {
            header << table->horizontalHeaderItem(c)->text();
            firstRow << table->item(0, c)->text();
        }
        EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(table->rowCount(), 2); // the one complete tip and chance
        dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
    });
    f.click(QStringLiteral("Button7"));
    EXPECT_EQ(caption, QStringLiteral("Verglichen mit 2 Ziehungen ab 02.10.2002"));
    EXPECT_EQ(header, HitBalance{}.header());
    EXPECT_EQ(firstRow, (QStringList{"1. Tipp", "1  2  3  4  5  6", "1", "0", "0", "0", "1", "02.10.2002"}));
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(HitBalance{}.header().join(QLatin1Char('\t'))));

    f.click(QStringLiteral("SpeedButton11"));
    f.click(QStringLiteral("Button7"));
    EXPECT_EQ(f.dialogs->messages.value(f.dialogs->messages.size() - 1),
              QStringLiteral("Keine vollständigen Tipps im Raster."));
    EXPECT_TRUE(f.dialogs->errors.isEmpty());
}

// The balance of "6 aus 42" in francs at the shipped quotas of the draws compared, worked out by hand from
// the record: 21.40 for "3 + GZ" on 27.12.2025, 95.95 for "4" on 31.12.2025; an average tip
// Σ prize × ways / 31'474'716 over both draws, the jackpot rank of the first won by nobody and so nothing;
// 1.14 of it in the ranks from "5 + GZ" on.
TEST(StatisticsWindow, TheHitBalanceInFrancs) {
    WindowFixture f;
    const Game& game = Game::sixOf42();
    std::vector<Draw> draws = shippedDraws(game);
    draws.erase(draws.begin(), draws.end() - 2);
    f.playing(game, draws);
    f.dataFolders = {QFileInfo(shippedRecordPath()).absolutePath()};
    f.open();
    f.context->grid.writeTip(0, {1, 8, 16, 40, 41, 42});
    f.context->grid.setExtraCell(0, 2);
    f.context->grid.writeTip(1, {1, 11, 23, 37, 2, 3});
    f.context->grid.setExtraCell(1, 1);
    QString francs;
    QTimer::singleShot(0, [&] {
        auto* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        francs = dialog->findChild<QLabel*>(QStringLiteral("Label2"))->text();
        dialog->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
    });
    f.click(QStringLiteral("Button7"));
    EXPECT_EQ(francs, QStringLiteral(
                          "Zu den Quoten von allen 2 Ziehungen (ab 27.12.2025), Einsatz je Tipp CHF 5.00:\n"
                          "1. Tipp: ausbezahlt CHF 21.40\n2. Tipp: ausbezahlt CHF 95.95\n"
                          "Zufall erwartet: CHF 1.49 je Tipp zu denselben Quoten, davon CHF 1.14 in den "
                          "Rängen ab „5 + GZ“"));
}

// The switch "Zufall" on the chart's tool bar: on at the first start, it brings the verdict of chance into
// the status bar with the frequencies, takes line, band and verdict away when switched off, and stays as
// it was left at the next start. Start-up keeps its own text in the status bar.
TEST(StatisticsWindow, TheSwitchOfChanceIsKeptBetweenRuns) {
    WindowFixture f;
    f.dir.writeArchive(shippedDraws());
    f.open(true);
    const QString verdict = QStringLiteral("Zufallstest: unauffällig (p = 0.31)");
    EXPECT_TRUE(f.window->status(1).startsWith(QStringLiteral("Datenbank: ")))
        << f.window->status(1).toStdString();
    EXPECT_EQ(f.context->chart.verdict(), verdict); // start-up drew the frequencies, quietly
    auto* chance = f.find<QAbstractButton>(QStringLiteral("SpeedButton14"));
    ASSERT_NE(chance, nullptr);
    EXPECT_TRUE(chance->isChecked());
    EXPECT_TRUE(f.context->chart.chanceShown());

    f.click(QStringLiteral("SpeedButton2"));
    EXPECT_EQ(f.window->status(1), verdict);
    EXPECT_TRUE(f.context->chart.chartToolTip().startsWith(verdict + QLatin1Char('\n')));

    f.click(QStringLiteral("SpeedButton14"));
    EXPECT_FALSE(chance->isChecked());
    EXPECT_FALSE(f.context->chart.chanceShown());
    EXPECT_FALSE(f.context->chart.showsChance());
    EXPECT_EQ(f.window->status(1), QString());
    EXPECT_EQ(f.context->chart.chartToolTip(), QString());
    EXPECT_EQ(f.context->chart.barToolTip(17), QStringLiteral("Zahl 18: 369-mal gezogen"));
    f.click(QStringLiteral("SpeedButton2"));
    EXPECT_EQ(f.window->status(1), QString());

    // Off at the next start too; the frequencies drawn there carry no band.
    f.reopen(true);
    EXPECT_EQ(QSettings(f.settingsFile, QSettings::IniFormat).value(QStringLiteral("Zufallsband")).toInt(),
              0);
    chance = f.find<QAbstractButton>(QStringLiteral("SpeedButton14"));
    EXPECT_FALSE(chance->isChecked());
    EXPECT_FALSE(f.context->controls.checked(QStringLiteral("SpeedButton14")));
    EXPECT_FALSE(f.context->chart.chanceShown());
    EXPECT_FALSE(f.context->chart.showsChance());

    // Switched on again with the frequencies on display: band and verdict come back at once.
    f.click(QStringLiteral("SpeedButton14"));
    EXPECT_TRUE(f.context->chart.showsChance());
    EXPECT_EQ(f.window->status(1), verdict);
    f.reopen(true);
    EXPECT_TRUE(f.find<QAbstractButton>(QStringLiteral("SpeedButton14"))->isChecked());
    EXPECT_TRUE(f.context->chart.chanceShown());
    EXPECT_TRUE(f.dialogs->errors.isEmpty()) << f.dialogs->errors.join('\n').toStdString();
}

// The chart's picture is never saved onto a file of the draws.
TEST(StatisticsWindow, TheChartPictureIsNeverAFileOfTheDraws) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    f.open();
    // The archive of "6 aus 42", not there yet: the file dialog does not ask before replacing it.
    whenModalOf("QFileDialog", [&f](QWidget* dialog) {
        acceptFileDialog(dialog, f.dir.file(QStringLiteral("Zahlen42.dat")));
    });
    f.click(QStringLiteral("ChartSaveButton"));
    EXPECT_EQ(f.dialogs->errors.size(), 1);
    EXPECT_TRUE(f.dialogs->errors.value(0).contains(QStringLiteral("ist eine Datei der Datenbank")));
    EXPECT_FALSE(QFile::exists(f.dir.file(QStringLiteral("Zahlen42.dat"))));
}
