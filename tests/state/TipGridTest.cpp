#include "state/TipGrid.h"
#include "game/Game.h"
#include "platform/Controls.h"

#include <gtest/gtest.h>

// What each cell keeps of what is typed: a number of 1 to 45 in "6 aus 45", of 1 to 42 in "6 aus 42", a
// Glückszahl of 1 to 6 in its own cell.
TEST(TipGrid, CellRuleKeepsOnlyPlainNumbersOfTheGame) {
    const struct {
        const char* typed;
        const char *of45, *of42, *glueckszahl;
    } cases[] = {
        {"7", "7", "7", ""},  {"45", "45", "", ""},  {"42", "42", "42", ""},      {"6", "6", "6", "6"},
        {"1", "1", "1", "1"}, {"46", "", "", ""},    {"0", "", "", ""},           {"007", "7", "7", ""},
        {"12a", "", "", ""},  {"+5", "5", "5", "5"}, {"-3", "", "", ""},          {"", "", "", ""},
        {"abc", "", "", ""},  {" 9", "9", "9", ""},  {"99999999999", "", "", ""},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromLatin1(c.typed);
        EXPECT_EQ(TipGrid::applyCellRule(typed, Game::sixOf45()) + '|' +
                      TipGrid::applyCellRule(typed, Game::sixOf42()) + '|' +
                      TipGrid::applyExtraCellRule(typed, Game::sixOf42()),
                  QString::fromLatin1(c.of45) + '|' + c.of42 + '|' + c.glueckszahl)
            << c.typed;
    }
}

TEST(TipGrid, NamesFollowTheRowsWithTheirGaps) {
    EXPECT_EQ(TipGrid::cellName(0, 0), QStringLiteral("Edit1"));
    EXPECT_EQ(TipGrid::cellName(5, 5), QStringLiteral("Edit36"));
    EXPECT_EQ(TipGrid::cellName(6, 0), QStringLiteral("Edit43"));
    EXPECT_EQ(TipGrid::cellName(8, 0), QStringLiteral("Edit56"));
    EXPECT_EQ(TipGrid::cellName(12, 0), QStringLiteral("Edit81"));
    EXPECT_EQ(TipGrid::cellName(13, 5), QStringLiteral("Edit92"));
    EXPECT_EQ(TipGrid::cellNames().size(), 84);
    EXPECT_EQ(TipGrid::cellNames().filter(QStringLiteral("Edit80")).size(), 0);
    EXPECT_EQ(TipGrid::rowLabelName(0), QStringLiteral("Label28"));
    EXPECT_EQ(TipGrid::hitLabelName(13), QStringLiteral("Label76"));
    EXPECT_EQ(TipGrid::sumLabelName(8), QStringLiteral("Label67"));
}

TEST(TipGrid, RowsWritesAndClearing) {
    Controls controls;
    TipGrid grid(controls, Game::sixOf45());
    grid.installDefaults();
    EXPECT_EQ(grid.rowTexts(0).join(' '), QStringLiteral("1 2 3 4 5 6"));
    EXPECT_TRUE(grid.completeRow(0).has_value());
    EXPECT_FALSE(grid.rowPresent(1));

    // A row of five numbers and one empty cell is no tip, yet counts as present by its first cell.
    for (int c = 0; c < 5; ++c) grid.setCellText(2, c, QString::number(10 + c));
    EXPECT_FALSE(grid.completeRow(2).has_value());
    EXPECT_TRUE(grid.rowPresent(2));

    // Writing through the rule: zeros leave the cells empty while the digit sum shows "0".
    grid.writeTip(3, {0, 0, 0, 0, 0, 0});
    EXPECT_EQ(grid.rowTexts(3).join(QString()), QString());
    EXPECT_EQ(controls.text(TipGrid::sumLabelName(3)), QString());
    grid.writeTip(4, {3, 5, 7, 12, 33, 40});
    EXPECT_EQ(controls.text(TipGrid::sumLabelName(4)), QStringLiteral("100"));
    controls.setText(QStringLiteral("Edit25"), QStringLiteral("46"));
    EXPECT_EQ(grid.cellText(4, 0), QString());

    controls.setText(TipGrid::hitLabelName(0), QStringLiteral("3 + Z"));
    controls.setChecked(QStringLiteral("CheckBox1"), true);
    grid.clearAll();
    for (int r = 0; r < TipGrid::Rows; ++r) {
        EXPECT_EQ(grid.rowTexts(r).join(QString()), QString());
        EXPECT_EQ(controls.text(TipGrid::hitLabelName(r)), QString());
        EXPECT_EQ(controls.text(TipGrid::sumLabelName(r)), QString());
    }
    EXPECT_TRUE(controls.checked(QStringLiteral("CheckBox1")));
}
