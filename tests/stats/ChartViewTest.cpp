#include "StatsFixture.h"

#include "generator/TipDistribution.h"
#include "generator/TipGrid.h"
#include "platform/ChartView.h"
#include "stats/Statistics.h"

#include <QChartView>
#include <QCoreApplication>
#include <QDir>
#include <QHelpEvent>
#include <QImage>
#include <QTest>
#include <QToolTip>
#include <functional>

namespace {

// Pixels that are clearly green (the bars) or clearly red (the surface cells).
int countPixels(const QImage& image, const std::function<bool(QColor)>& pick) {
    int n = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (pick(image.pixelColor(x, y))) ++n;
    return n;
}
bool green(QColor c) {
    return c.green() > c.red() + 60 && c.green() > c.blue() + 60;
}
bool red(QColor c) {
    return c.red() > c.green() + 60 && c.red() > c.blue() + 60;
}

} // namespace

class ChartViewTest : public StatsTest {
protected:
    ChartViewTest() {
        view.resize(900, 480);
        dir.writeArchive(generatedDraws(QDate(2015, 1, 1), 600, 3));
    }

    // Renders the chart; with ZIEHBOX_CHART_SHOTS set, also keeps it there as a PNG to look at.
    QImage shot(const QString& name) {
        const QString shots = qEnvironmentVariable("ZIEHBOX_CHART_SHOTS");
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            EXPECT_TRUE(view.savePng(shots + QLatin1Char('/') + name + QStringLiteral(".png")));
        }
        return view.render().toImage();
    }

    ChartView view{chart};
};

TEST_F(ChartViewTest, RebuildsOncePerEventLoopTurnNotPerPoint) {
    QCoreApplication::processEvents();
    const int before = view.rebuildCount();
    countNumberFrequencies(services, dir.archivePath());
    countNeighbourGroups(services, dir.archivePath(), 2);
    EXPECT_EQ(view.rebuildCount(), before);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.rebuildCount(), before + 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.rebuildCount(), before + 1);
}

TEST_F(ChartViewTest, EveryChartKindRenders) {
    TipGrid grid(controls);
    for (int r = 0; r < 10; ++r) grid.writeTip(r, {1 + r, 8 + r, 15 + r, 22 + r, 29 + r, 36 + r});
    // Each kind, and what its bar at index 2 says when the mouse rests on it (%1: its x, %2: its count).
    const struct {
        const char* name;
        std::function<void()> op;
        const char* tip;
    } kinds[] = {
        {"frequencies", [&] { countNumberFrequencies(services, dir.archivePath()); },
         "Zahl 3: %2-mal gezogen"},
        {"pairs", [&] { countNeighbourGroups(services, dir.archivePath(), 2); },
         "Paar 3 und 4: %2 Ziehungen"},
        {"triples", [&] { countNeighbourGroups(services, dir.archivePath(), 3); },
         "Dreier 3 bis 5: %2 Ziehungen"},
        {"quadruples", [&] { countNeighbourGroups(services, dir.archivePath(), 4); },
         "Vierer 3 bis 6: %2 Ziehungen"},
        {"overdue", [&] { countOverdueNumbers(services, dir.archivePath()); },
         "Zahl 3: seit %2 Ziehungen nicht gezogen"},
        {"digitsums", [&] { countDigitSums(services, dir.archivePath()); }, "Quersumme %1: %2 Ziehungen"},
        {"supernumbers", [&] { countSuperNumbers(services, dir.archivePath()); },
         "Superzahl 2: %2 Ziehungen"},
        {"tipdistribution", [&] { showTipDistribution(services, grid); }, "Zahl 3: %2-mal in den Tipps"},
    };
    for (const auto& kind : kinds) {
        kind.op();
        const QImage image = shot(QLatin1String(kind.name));
        EXPECT_GT(countPixels(image, green), 500) << kind.name;
        EXPECT_EQ(countPixels(image, red), 0) << kind.name;
        const auto& bar = chart.bars().at(2);
        EXPECT_EQ(chart.barToolTip(2), QString::fromUtf8(kind.tip)
                                           .replace(QStringLiteral("%1"), QString::number(bar.x))
                                           .replace(QStringLiteral("%2"), QString::number(bar.y)));
    }
    // Bars the archive filter of the tip search emptied mean nothing.
    chart.clear(ChartModel::Series::Bar);
    EXPECT_EQ(chart.barToolTip(0), QString());

    countYearSurface(services, dir.archivePath());
    const QImage surface = shot(QStringLiteral("yearsurface"));
    EXPECT_GT(countPixels(surface, red), 2000);
    EXPECT_EQ(countPixels(surface, green), 0);
    // The first row drawn is the first year (the leading row of zeros is not), and its first cell answers.
    double count2015 = -1;
    for (const auto& p : chart.surface())
        if (p.z == 1 && p.x == 1) count2015 = p.y;
    QWidget* grid2 = view.findChild<QWidget*>(QStringLiteral("YearSurface"));
    const QFontMetrics fm(grid2->font());
    const QPoint firstCell(
        std::max(fm.horizontalAdvance(QStringLiteral("Jahr")), fm.horizontalAdvance(QStringLiteral("0000"))) +
            15,
        fm.height() + 13);
    QHelpEvent help(QEvent::ToolTip, firstCell, grid2->mapToGlobal(firstCell));
    QCoreApplication::sendEvent(grid2, &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("2015, Zahl 1: %1-mal").arg(count2015));
    EXPECT_EQ(chart.surfaceToolTip(0, 1), QString()); // the leading row counts no year

    // The mouse passing over the bars: the bar under it answers.
    countNumberFrequencies(services, dir.archivePath());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.refresh();
    QCoreApplication::processEvents();
    auto* bars = view.findChild<QChartView*>();
    QToolTip::hideText();
    for (int x = 60; x < 880 && QToolTip::text().isEmpty(); x += 5) {
        QTest::mouseMove(bars->viewport(), QPoint(x, 400));
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("-mal gezogen"))) << QToolTip::text().toStdString();

    // At the size of the page the labels thin out rather than being cut short.
    view.resize(505, 362);
    countNumberFrequencies(services, dir.archivePath());
    EXPECT_GT(countPixels(shot(QStringLiteral("frequencies-page-size")), green), 300);
    countYearSurface(services, dir.archivePath());
    EXPECT_GT(countPixels(shot(QStringLiteral("yearsurface-page-size")), red), 500);
    view.resize(900, 480);

    // Nothing selected: the bars are all 0 and the chart still draws (an axis from 0 to 0).
    selectWeekdays(false, false);
    countNumberFrequencies(services, dir.archivePath());
    const QImage empty = shot(QStringLiteral("frequencies-empty"));
    EXPECT_EQ(countPixels(empty, green), 0);
}
