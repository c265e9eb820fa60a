#include "WindowFixture.h"

#include "support/Modal.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

// "System" through its dialog: a full system of 8 numbers and one with two Bankzahlen, a shortened 4-if-4 on
// 10 numbers proved against its 210 groups, one too large refused with its count and cost; the shortened
// system into the grid (14 of 20) and saved as one slip; the fields kept for the next start.
TEST(SystemWindow, SystemsFromTheDialog) {
    WindowFixture f;
    const Game& game = Game::sixOf42();
    f.playing(game, shippedDraws(game));
    f.today = QDate(2026, 1, 2);
    f.open();
    const struct {
        const char *numbers, *bank;
        int kind;
        int tips;
        const char* summary; // its start
    } rows[] = {
        {"1 2 3 4 5 6 7 8", "", 0, 28,
         "28 Tipps × CHF 2.50 = CHF 70.00. Vollsystem: jede Wahl von 6 Ihrer 8 Zahlen "
         "ist ein Tipp.\nMit 6 von 8 Zahlen: 1 Tipp mit 6, 12 Tipps mit 5, 15 Tipps "
         "mit 4\nMit 5 von 8 Zahlen: 3 Tipps mit 5, 15 Tipps mit 4, 10 Tipps mit 3"},
        {"1,2,3,4,5,6,7,8", "41 42", 0, 70, "70 Tipps × CHF 2.50 = CHF 175.00. Vollsystem"},
        {"1 2 3 4 5 6 7 8 9 10 11 12 13", "", 0, 0,
         "Das Vollsystem hätte 1716 Tipps (CHF 4’290.00); mehr als 924 Tipps spielt das Programm nicht."},
        {"3 9 14 17 22 26 30 33 38 41", "", 2, 20,
         "20 Tipps × CHF 2.50 = CHF 50.00. Garantiert: 4 Richtige, wenn 4 der gezogenen Zahlen unter Ihren "
         "10 "
         "Zahlen sind; geprüft an allen 210 Vierergruppen."},
    };
    int rowsOfBalance = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.numbers);
        QString summary;
        whenModalNamed("TForm10", [&](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("Edit140"))->setText(QString::fromUtf8(row.numbers));
            dialog->findChild<QLineEdit*>(QStringLiteral("Edit141"))->setText(QString::fromUtf8(row.bank));
            dialog->findChild<QComboBox*>(QStringLiteral("ComboBox10"))->setCurrentIndex(row.kind);
            dialog->findChild<QPushButton*>(QStringLiteral("BitBtn101"))->click();
            auto* grid = dialog->findChild<QTableWidget*>(QStringLiteral("SystemGrid"));
            EXPECT_EQ(grid->rowCount(), row.tips);
            summary = dialog->findChild<QLabel*>(QStringLiteral("Label100"))->text();
            if (row.tips == 20) {
                dialog->findChild<QPushButton*>(QStringLiteral("BitBtn102"))->click();
                EXPECT_TRUE(dialog->findChild<QLabel*>(QStringLiteral("Label100"))
                                ->text()
                                .endsWith(QStringLiteral(
                                    "Die ersten 14 Tipps stehen im Raster; 6 passten nicht hinein.")));
                whenModalNamed("TForm9", [](QWidget* slip) {
                    slip->findChild<QPushButton*>(QStringLiteral("BitBtn91"))->click();
                });
                dialog->findChild<QPushButton*>(QStringLiteral("BitBtn103"))->click();
                dialog->findChild<QPushButton*>(QStringLiteral("BitBtn104"))->click();
                whenModalNamed("TForm7", [&](QWidget* balance) {
                    rowsOfBalance =
                        balance->findChild<QTableWidget*>(QStringLiteral("StringGrid1"))->rowCount();
                    balance->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
                });
                dialog->findChild<QPushButton*>(QStringLiteral("BitBtn105"))->click();
            }
            dialog->findChild<QPushButton*>(QStringLiteral("BitBtn106"))->click();
        });
        f.click(QStringLiteral("BitBtn22"));
        if (row.tips == 0)
            EXPECT_EQ(f.dialogs->errors.value(f.dialogs->errors.size() - 1), QString::fromUtf8(row.summary));
        else
            EXPECT_TRUE(summary.startsWith(QString::fromUtf8(row.summary))) << summary.toStdString();
    }
    // Each tip with its Glückszahl, the first rows in the grid; the slip of all 20 tips on its page.
    EXPECT_EQ(f.find<QLineEdit>(TipGrid::extraCellName(13))->text(), QStringLiteral("1"));
    EXPECT_FALSE(f.find<QLineEdit>(TipGrid::cellName(13, 0))->text().isEmpty());
    EXPECT_TRUE(f.window->status(1).contains(QStringLiteral("mit 20 Tipps gespeichert")))
        << f.window->status(1).toStdString();
    // System.txt as Tipp.txt is written, one line a tip; the Trefferbilanz of all 20 and chance.
    ASSERT_FALSE(f.shell->opened.isEmpty());
    QFile text(f.shell->opened.last());
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = text.readAll().split('\n');
    EXPECT_EQ(lines.size(), 3 + 20 + 1);
    EXPECT_TRUE(lines.value(3).startsWith(" 1. Tipp:  3    9   14   17   ")) << lines.value(3).toStdString();
    EXPECT_TRUE(lines.value(22).startsWith("20. Tipp: ") && lines.value(22).endsWith("   GZ: 1\r"));
    EXPECT_EQ(rowsOfBalance, 21);
    // The slip is checked after the draw that comes: four of its ten numbers drawn, the guarantee holds.
    std::vector<Draw> draws = shippedDraws(game);
    draws.push_back(makeDraw(QDate(2026, 1, 3), {3, 9, 14, 17, 1, 2}, 1));
    f.dir.writeArchive(draws, game.archiveFile);
    EXPECT_TRUE(f.context->state.checkSlips().contains(QStringLiteral(": 4 + GZ am 03.01.2026")));
    QString kept;
    whenModalNamed("TForm10", [&](QWidget* dialog) {
        kept = dialog->findChild<QLineEdit*>(QStringLiteral("Edit140"))->text();
        dialog->findChild<QPushButton*>(QStringLiteral("BitBtn106"))->click();
    });
    f.reopen();
    f.click(QStringLiteral("BitBtn22"));
    EXPECT_EQ(kept, QStringLiteral("3 9 14 17 22 26 30 33 38 41")); // at the next start too
}
