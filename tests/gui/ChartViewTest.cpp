#include "stats/StatsFixture.h"

#include "generator/TipDistribution.h"
#include "gui/ChartView.h"
#include "state/TipGrid.h"
#include "stats/Statistics.h"

#include <QBarSeries>
#include <QChart>
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
// The band of chance (a pale blue) and the line of the expected count (a dark blue).
bool band(QColor c) {
    return std::abs(c.red() - 200) < 12 && std::abs(c.green() - 215) < 12 && std::abs(c.blue() - 240) < 12;
}
bool line(QColor c) {
    return c.blue() > 110 && c.blue() > c.red() + 70 && c.blue() > c.green() + 50;
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
    countNumberFrequencies(session);
    countNeighbourGroups(session, 2);
    EXPECT_EQ(view.rebuildCount(), before);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.rebuildCount(), before + 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.rebuildCount(), before + 1);
}

TEST_F(ChartViewTest, EveryChartKindRenders) {
    for (int r = 0; r < 10; ++r) grid.writeTip(r, {1 + r, 8 + r, 15 + r, 22 + r, 29 + r, 36 + r});
    // Each kind renders; what its bars say under the mouse is written out in ChanceChartsTest.
    const std::pair<const char*, std::function<void()>> kinds[] = {
        {"frequencies", [&] { countNumberFrequencies(session); }},
        {"pairs", [&] { countNeighbourGroups(session, 2); }},
        {"triples", [&] { countNeighbourGroups(session, 3); }},
        {"quadruples", [&] { countNeighbourGroups(session, 4); }},
        {"overdue", [&] { countOverdueNumbers(session); }},
        {"digitsums", [&] { countDigitSums(session); }},
        {"supernumbers", [&] { countSuperNumbers(session); }},
        {"tipdistribution", [&] { showTipDistribution(session); }},
    };
    for (const auto& [name, op] : kinds) {
        op();
        const QImage image = shot(QLatin1String(name));
        EXPECT_GT(countPixels(image, green), 500) << name;
        EXPECT_EQ(countPixels(image, red), 0) << name;
        EXPECT_FALSE(chart.barToolTip(2).isEmpty()) << name;
    }
    // Bars the archive filter of the tip search emptied mean nothing.
    chart.clear(ChartModel::Series::Bar);
    EXPECT_EQ(chart.barToolTip(0), QString());

    countYearSurface(session);
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
    countNumberFrequencies(session);
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
    countNumberFrequencies(session);
    EXPECT_GT(countPixels(shot(QStringLiteral("frequencies-page-size")), green), 300);
    countYearSurface(session);
    EXPECT_GT(countPixels(shot(QStringLiteral("yearsurface-page-size")), red), 500);
    view.resize(900, 480);

    // Nothing selected: the bars are all 0 and the chart still draws (an axis from 0 to 0).
    selectWeekdays(false, false);
    countNumberFrequencies(session);
    const QImage empty = shot(QStringLiteral("frequencies-empty"));
    EXPECT_EQ(countPixels(empty, green), 0);
}

// The shipped record with the band of chance: band and line are drawn, the view widens its range so that
// the rarest bar (16, drawn 299 times) stands above the axis, and the model keeps the axis the generator
// reads back. With the switch off the chart is exactly the chart without any expectation.
TEST_F(ChartViewTest, TheBandOfChanceOnTheShippedRecord) {
    dir.writeArchive(shippedDraws());
    countNumberFrequencies(session);
    const QImage withBand = shot(QStringLiteral("frequencies-chance"));
    EXPECT_GT(countPixels(withBand, band), 2000);
    EXPECT_GT(countPixels(withBand, line), 100);
    EXPECT_EQ(chart.valueAxis().minimum(), 299);
    EXPECT_EQ(chart.valueAxis().maximum(), 369);

    auto* chartView = view.findChild<QChartView*>();
    ASSERT_NE(chartView, nullptr);
    const auto barHeight = [&](int index, double value) {
        QChart* c = chartView->chart();
        QAbstractSeries* bars = nullptr;
        for (QAbstractSeries* s : c->series())
            if (qobject_cast<QBarSeries*>(s)) bars = s;
        return c->plotArea().bottom() - c->mapToPosition(QPointF(index, value), bars).y();
    };
    EXPECT_GT(barHeight(15, 299), 10);
    EXPECT_EQ(chartView->chart()->series().size(), 3);
    // The legend says the band is one per bar.
    EXPECT_EQ(chartView->chart()->series().front()->name(), QStringLiteral("95 % je Zahl"));

    // Off: no band, no line, and the rarest bar has no height, as before there was a band.
    chart.setChanceShown(false);
    const QImage off = shot(QStringLiteral("frequencies-chance-off"));
    EXPECT_EQ(countPixels(off, band), 0);
    EXPECT_EQ(countPixels(off, line), 0);
    EXPECT_NEAR(barHeight(15, 299), 0, 0.5);
    EXPECT_EQ(chartView->chart()->series().size(), 1);
    const auto expectations = chart.expectations();
    chart.setExpectations({});
    chart.setVerdict(QString());
    EXPECT_EQ(view.render().toImage(), off);
    chart.setExpectations(expectations);
    chart.setChanceShown(true);

    // The digit sums, each class with its own expectation; the automatic axis reaches up to the band.
    countDigitSums(session);
    const QImage sums = shot(QStringLiteral("digitsums-chance"));
    EXPECT_GT(countPixels(sums, band), 1000);
    EXPECT_GT(countPixels(sums, line), 100);
    EXPECT_TRUE(chart.valueAxis().automatic());
    chart.setChanceShown(false);
    const QImage sumsOff = view.render().toImage();
    chart.setExpectations({});
    EXPECT_EQ(view.render().toImage(), sumsOff);
    chart.setChanceShown(true);

    countYearSurface(session);
    EXPECT_GT(countPixels(shot(QStringLiteral("yearsurface-shipped")), red), 2000);
}

// The mouse resting on the chart where no bar is: the verdict of chance, while it is shown.
TEST_F(ChartViewTest, TheChartTellsTheVerdictUnderTheMouse) {
    dir.writeArchive(shippedDraws());
    countNumberFrequencies(session);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.refresh();
    QCoreApplication::processEvents();
    QWidget* viewport = view.findChild<QChartView*>()->viewport();
    const QPoint corner(5, 5);
    const auto restAt = [&](QPoint at) {
        // A tip hides after a short fade; wait (bounded) until the last one is gone.
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    const QString verdict =
        QStringLiteral("Zufallstest: unauffällig (p = 0.31)\nAußerhalb des Bands: 3 von 45 "
                       "Balken – bei reinem Zufall im Mittel 2.1");
    EXPECT_EQ(restAt(corner), verdict);
    chart.setChanceShown(false);
    view.refresh();
    EXPECT_EQ(restAt(corner), QString());
    // The view inside takes the focus: it carries the chart's name and its caption.
    EXPECT_EQ(view.findChild<QChartView*>()->accessibleName(), QStringLiteral("Diagramm"));
    EXPECT_EQ(view.findChild<QChartView*>()->accessibleDescription(), chart.bottomTitle());
    chart.setChanceShown(true);
    view.refresh();
    EXPECT_EQ(view.findChild<QChartView*>()->accessibleDescription(),
              chart.bottomTitle() + QStringLiteral(". ") + verdict);
}
