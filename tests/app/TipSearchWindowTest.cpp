#include "WindowFixture.h"

#include "platform/Dates.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

std::vector<int> rowNumbers(WindowFixture& f, int row) {
    std::vector<int> numbers;
    for (int c = 0; c < TipGrid::Columns; ++c) {
        bool ok = false;
        const int v = f.find<QLineEdit>(TipGrid::cellName(row, c))->text().toInt(&ok);
        if (ok) numbers.push_back(v);
    }
    return numbers;
}

int common(const std::vector<int>& tip, const Draw& draw, bool withZz) {
    int n = 0;
    for (int v : tip) {
        for (int i = 0; i < 6; ++i) n += draw.numbers[static_cast<std::size_t>(i)] == v;
        if (withZz) n += draw.extras[0] == v;
    }
    return n;
}

} // namespace

// The main operation from the button to the grid, checked against the archive itself.
TEST(TipSearchWindow, TenTipsUnderTheDefaultOptions) {
    WindowFixture f;
    const auto draws = generatedDraws(QDate(1999, 1, 2), 400, 17);
    f.dir.writeArchive(draws);
    f.today = dates::fromDayNumber(draws.back().date).addDays(2);
    f.open();
    f.click(QStringLiteral("BitBtn4"));

    EXPECT_EQ(f.window->status(1), QStringLiteral("Tipps wurden neu berechnet"));
    EXPECT_EQ(f.find<QTabWidget>(QStringLiteral("PageControl1"))->currentWidget()->objectName(),
              QStringLiteral("TabSheet1"));
    EXPECT_TRUE(f.dialogs->errors.isEmpty()) << f.dialogs->errors.join('\n').toStdString();
    const Draw& latest = draws[draws.size() - 1];
    const Draw& secondLatest = draws[draws.size() - 2];
    std::vector<std::vector<int>> tips;
    for (int r = 0; r < 10; ++r) {
        SCOPED_TRACE(r + 1);
        const auto tip = rowNumbers(f, r);
        ASSERT_EQ(tip.size(), 6u);
        EXPECT_TRUE(std::is_sorted(tip.begin(), tip.end()));
        EXPECT_EQ(std::set<int>(tip.begin(), tip.end()).size(), 6u);
        int sum = 0;
        bool pair = false;
        for (std::size_t i = 0; i < 6; ++i) {
            sum += tip[i];
            if (i > 0 && tip[i] - tip[i - 1] == 1) pair = true;
        }
        EXPECT_GE(sum, 110);
        EXPECT_LE(sum, 200);
        EXPECT_TRUE(pair);
        EXPECT_EQ(f.find<QLabel>(TipGrid::sumLabelName(r))->text(), QString::number(sum));
        EXPECT_LE(common(tip, latest, true), 1);
        EXPECT_LE(common(tip, secondLatest, true), 1);
        for (const auto& d : draws) EXPECT_LT(common(tip, d, false), 5);
        for (const auto& earlier : tips) {
            int shared = 0;
            for (int v : tip) shared += static_cast<int>(std::count(earlier.begin(), earlier.end(), v));
            EXPECT_LE(shared, 3);
        }
        // Evaluated against the draw on display, which the caption names.
        EXPECT_EQ(f.find<QLabel>(TipGrid::hitLabelName(r))->text().left(1),
                  QString::number(std::min(common(tip, latest, false), 9)));
        tips.push_back(tip);
    }
    for (int r = 10; r < 14; ++r) {
        EXPECT_TRUE(rowNumbers(f, r).empty());
        EXPECT_EQ(f.find<QLabel>(TipGrid::sumLabelName(r))->text(), QString());
    }
    EXPECT_TRUE(f.find<QLabel>(QStringLiteral("Label35"))
                    ->text()
                    .contains(QStringLiteral(" Z:%1").arg(latest.extras[0])));
    EXPECT_TRUE(f.context->state.readyFlag);
    EXPECT_TRUE(f.context->options.forcePair());
    EXPECT_EQ(f.context->options.archiveMatchSize(), 5);

    // A click on the first row label starts the same calculation: the emptied grid is filled again.
    f.click(QStringLiteral("SpeedButton11"));
    f.window->setStatus(1, QString());
    QTest::mouseClick(f.find<QLabel>(QStringLiteral("Label28")), Qt::LeftButton);
    EXPECT_EQ(f.window->status(1), QStringLiteral("Tipps wurden neu berechnet"));
    for (int r = 0; r < 10; ++r) EXPECT_EQ(rowNumbers(f, r).size(), 6u) << r + 1;

    // The band of chance is only shown: from the same seed the same tips come, with it on and off.
    const auto tipsFrom = [&](std::int32_t seed) {
        f.context->random.seed(seed);
        f.click(QStringLiteral("BitBtn4"));
        std::vector<std::vector<int>> rows;
        for (int r = 0; r < 10; ++r) rows.push_back(rowNumbers(f, r));
        return rows;
    };
    ASSERT_TRUE(f.context->chart.chanceShown());
    const auto withBand = tipsFrom(4711);
    f.click(QStringLiteral("SpeedButton14"));
    ASSERT_FALSE(f.context->chart.chanceShown());
    EXPECT_EQ(tipsFrom(4711), withBand);
    f.click(QStringLiteral("SpeedButton14"));
    EXPECT_EQ(tipsFrom(4711), withBand);
    EXPECT_NE(tipsFrom(815), withBand);
}

TEST(TipSearchWindow, WithoutAnArchiveTheGridStaysAndTheFlagComesBack) {
    WindowFixture f;
    f.open();
    f.dialogs->errors.clear();
    f.dialogs->messages.clear();
    f.click(QStringLiteral("BitBtn4"));
    EXPECT_EQ(f.dialogs->messages,
              QStringList{QStringLiteral("Lesen Sie zuerst die Daten der Ziehungen ein")});
    EXPECT_EQ(f.dialogs->errors.size(), 1);
    EXPECT_EQ(rowNumbers(f, 0), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(f.context->state.readyFlag);
}

// "6 aus 42" with the popularity that ships: beside each complete tip its factor, none beside an empty row
// nor for "6 aus 45". "Beliebte Tipps meiden" makes the same seed give tips of a higher factor and none of
// only numbers up to 31, leaves every other filter as it was, and is kept between runs.
TEST(TipSearchWindow, TipsThatAreSharedLess) {
    WindowFixture f;
    const Game& game = Game::sixOf42();
    f.playing(game, shippedDraws(game));
    f.today = QDate(2026, 1, 2);
    f.dataFolders = {QFileInfo(shippedRecordPath()).absolutePath()};
    f.open();
    const auto tipsFrom = [&](bool avoid) {
        f.context->controls.setChecked(QStringLiteral("CheckBox30"), avoid);
        f.context->random.seed(4711);
        f.click(QStringLiteral("BitBtn4"));
        QApplication::processEvents(); // the factors follow the cells once they are all written
        double sum = 0;
        int birthdays = 0;
        for (int r = 0; r < 10; ++r) {
            const auto tip = rowNumbers(f, r);
            birthdays += tip.size() == 6 && tip.back() <= 31;
            const QString factor = f.find<QLabel>(TipGrid::worthLabelName(r))->text();
            EXPECT_TRUE(factor.startsWith(QStringLiteral("×"))) << r + 1;
            sum += factor.mid(1).toDouble();
            EXPECT_TRUE(f.find<QLabel>(TipGrid::worthLabelName(r))
                            ->toolTip()
                            .endsWith(QStringLiteral("Die Gewinnchance ist für jeden Tipp dieselbe.")));
        }
        EXPECT_EQ(f.find<QLabel>(TipGrid::worthLabelName(12))->text(), QString());
        return std::pair(sum / 10, birthdays);
    };
    const auto plain = tipsFrom(false);
    const auto avoiding = tipsFrom(true);
    EXPECT_EQ(f.window->status(1), QStringLiteral("Tipps wurden neu berechnet"));
    EXPECT_GT(avoiding.first, plain.first + 0.08) << plain.first;
    EXPECT_EQ(avoiding.second, 0);
    EXPECT_TRUE(f.context->options.forcePair());
    EXPECT_TRUE(f.find<QWidget>(TipGrid::worthLabelName(0))->isVisibleTo(f.window.get()));

    f.reopen();
    EXPECT_TRUE(f.context->controls.checked(QStringLiteral("CheckBox30")));

    WindowFixture other;
    other.playing(Game::sixOf45(), shippedDraws());
    other.dataFolders = f.dataFolders;
    other.open();
    EXPECT_FALSE(other.find<QWidget>(TipGrid::worthLabelName(0))->isVisibleTo(other.window.get()));
    EXPECT_FALSE(other.context->controls.enabled(QStringLiteral("CheckBox30")));
}
