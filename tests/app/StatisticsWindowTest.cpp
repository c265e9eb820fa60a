#include "WindowFixture.h"

#include "platform/ChartModel.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
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
