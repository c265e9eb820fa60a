#include "StatsFixture.h"

#include "generator/TipDistribution.h"
#include "generator/TipGrid.h"
#include "platform/ChartView.h"
#include "stats/Statistics.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
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
    const std::pair<const char*, std::function<void()>> kinds[] = {
        {"frequencies", [&] { countNumberFrequencies(services, dir.archivePath()); }},
        {"pairs", [&] { countNeighbourGroups(services, dir.archivePath(), 2); }},
        {"triples", [&] { countNeighbourGroups(services, dir.archivePath(), 3); }},
        {"quadruples", [&] { countNeighbourGroups(services, dir.archivePath(), 4); }},
        {"overdue", [&] { countOverdueNumbers(services, dir.archivePath()); }},
        {"digitsums", [&] { countDigitSums(services, dir.archivePath()); }},
        {"supernumbers", [&] { countSuperNumbers(services, dir.archivePath()); }},
        {"tipdistribution", [&] { showTipDistribution(services, grid); }},
    };
    for (const auto& [name, op] : kinds) {
        op();
        const QImage image = shot(QLatin1String(name));
        EXPECT_GT(countPixels(image, green), 500) << name;
        EXPECT_EQ(countPixels(image, red), 0) << name;
    }

    countYearSurface(services, dir.archivePath());
    const QImage surface = shot(QStringLiteral("yearsurface"));
    EXPECT_GT(countPixels(surface, red), 2000);
    EXPECT_EQ(countPixels(surface, green), 0);

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
