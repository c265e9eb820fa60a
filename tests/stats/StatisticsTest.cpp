#include "StatsFixture.h"

#include "platform/AppError.h"
#include "platform/Dates.h"
#include "stats/Statistics.h"

#include <QSignalSpy>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

const QDate Wed(2024, 1, 3);
const QDate Fri(2024, 1, 5);
const QDate Sat(2024, 1, 6);
const QDate Wed2(2024, 1, 10);

double sum(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0);
}

std::vector<double> oneTo(int last) {
    std::vector<double> v;
    for (int n = 1; n <= last; ++n) v.push_back(n);
    return v;
}

} // namespace

TEST_F(StatsTest, FrequencySelectionFollowsTheDrawFilter) {
    // Number 40 stands in every draw; its counter is the number of selected draws.
    const std::vector<DrawRecord> archive = {
        makeDraw(Wed, {1, 2, 3, 4, 5, 40}, 6),
        makeDraw(Fri, {7, 8, 9, 10, 11, 40}, 12),
        makeDraw(Sat, {13, 14, 15, 16, 17, 40}, 18),
        makeDraw(Wed2, {19, 20, 21, 22, 23, 40}, 24),
    };
    dir.writeArchive(archive);
    struct Case {
        const char* what;
        QDate from;
        bool saturdays;
        bool wednesdays;
        int draws;
    };
    const Case cases[] = {
        {"both boxes: the Friday never passes", QDate(1955, 10, 9), true, true, 3},
        {"both boxes off", QDate(1955, 10, 9), false, false, 0},
        {"from-date after the newest draw", QDate(2024, 1, 11), true, true, 0},
        {"a draw on the from-date passes", Sat, true, true, 2},
        {"Saturdays only: the newer Wednesday is left out", QDate(1955, 10, 9), true, false, 1},
        {"Wednesdays only", QDate(1955, 10, 9), false, true, 2},
    };
    for (const auto& c : cases) {
        setFromDate(c.from);
        selectWeekdays(c.saturdays, c.wednesdays);
        countNumberFrequencies(services, dir.archivePath());
        const auto bars = barValues();
        ASSERT_EQ(bars.size(), 45u) << c.what;
        EXPECT_EQ(bars[39], c.draws) << c.what;
        EXPECT_EQ(sum(bars), 7.0 * c.draws) << c.what;
        EXPECT_TRUE(chart.bottomTitle().startsWith(
            QStringLiteral("Zahlenverteilung     Ziehungen: %1    Quersumme: ").arg(c.draws)))
            << c.what << ": " << chart.bottomTitle().toStdString();
    }
    // With Saturdays only, nothing of the Wednesday draws is counted, ZZ included.
    EXPECT_EQ(barValues()[0], 1); // Wednesdays only: 1 from the first draw
    setFromDate(QDate(1955, 10, 9));
    selectWeekdays(true, false);
    countNumberFrequencies(services, dir.archivePath());
    for (int n : {1, 6, 7, 12, 19, 24}) EXPECT_EQ(barValues()[static_cast<std::size_t>(n - 1)], 0) << n;
    for (int n : {13, 17, 18}) EXPECT_EQ(barValues()[static_cast<std::size_t>(n - 1)], 1) << n;
}

TEST_F(StatsTest, FrequenciesOfAGeneratedArchive) {
    const auto archive = generatedDraws(QDate(2010, 1, 1), 500, 7);
    dir.writeArchive(archive);
    countNumberFrequencies(services, dir.archivePath());

    EXPECT_EQ(chart.active(), ChartModel::Series::Bar);
    EXPECT_EQ(barXs(), oneTo(45));
    const auto bars = barValues();
    EXPECT_EQ(sum(bars), 7.0 * 500);
    // The axis runs from the rarest to the most frequent number: the rarest bar has no visible height.
    EXPECT_FALSE(chart.valueAxis().automatic());
    EXPECT_EQ(chart.valueAxis().minimum(), *std::min_element(bars.begin(), bars.end()));
    EXPECT_EQ(chart.valueAxis().maximum(), *std::max_element(bars.begin(), bars.end()));
    EXPECT_LT(chart.valueAxis().minimum(), chart.valueAxis().maximum());
    EXPECT_TRUE(chart.bottomAutomatic());

    double total = 0;
    for (const auto& r : archive) total += r.digitSum();
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Zahlenverteilung     Ziehungen: 500    Quersumme: %1")
                                       .arg(dates::roundToInt(total / 500)));
    // The frequencies stay on their page; the hourglass is back.
    EXPECT_TRUE(ui.pages.isEmpty());
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_EQ(ui.busyMaxDepth, 1);
}

TEST_F(StatsTest, MeanDigitSumRoundsHalfToEven) {
    struct Case {
        std::initializer_list<int> first;
        std::initializer_list<int> second;
        const char* mean;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, "22"},  // 21.5 goes up to 22
        {{1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 5, 8}, "22"},  // 22.5 goes down to 22
        {{1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 5, 10}, "24"}, // 23.5 goes up to 24
    };
    for (const auto& c : cases) {
        dir.writeArchive({makeDraw(Wed, c.first, 44), makeDraw(Sat, c.second, 45)});
        countNumberFrequencies(services, dir.archivePath());
        EXPECT_EQ(chart.bottomTitle(),
                  QStringLiteral("Zahlenverteilung     Ziehungen: 2    Quersumme: ") + QLatin1String(c.mean));
        countDigitSums(services, dir.archivePath());
        EXPECT_EQ(chart.bottomTitle(),
                  QStringLiteral("Quersummenverteilung     Ziehungen: 2    Quersumme: ") +
                      QLatin1String(c.mean));
    }
}

TEST_F(StatsTest, NoSelectedDrawEndsNormally) {
    dir.writeArchive(generatedDraws(QDate(2020, 1, 1), 20));
    selectWeekdays(false, false);

    countNumberFrequencies(services, dir.archivePath());
    EXPECT_EQ(barXs(), oneTo(45));
    EXPECT_EQ(sum(barValues()), 0);
    EXPECT_EQ(chart.valueAxis().minimum(), 0);
    EXPECT_EQ(chart.valueAxis().maximum(), 0);
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Zahlenverteilung     Ziehungen: 0    Quersumme: -"));

    countDigitSums(services, dir.archivePath());
    EXPECT_EQ(chart.barCount(), 0);
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Quersummenverteilung     Ziehungen: 0    Quersumme: -"));

    const std::pair<int, const char*> groups[] = {
        {2, " Paare gefunden!"}, {3, " Dreier gefunden!"}, {4, " Vierer gefunden!"}};
    for (const auto& [size, word] : groups) {
        countNeighbourGroups(services, dir.archivePath(), size);
        EXPECT_EQ(sum(barValues()), 0) << size;
        EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Bei 0 Ziehungen wurden 0") + QLatin1String(word));
    }

    countOverdueNumbers(services, dir.archivePath());
    EXPECT_EQ(barValues(), std::vector<double>(45, 1.0));

    countSuperNumbers(services, dir.archivePath());
    EXPECT_EQ(barValues(), std::vector<double>(10, 0.0));
    EXPECT_EQ(ui.errors.size(), 0);
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(StatsTest, MissingArchiveLeavesTheChartAsItWas) {
    const QString missing = dir.file(QStringLiteral("ZahlenCH.dat"));
    using Op = std::function<void()>;
    const std::pair<const char*, Op> operations[] = {
        {"frequencies", [&] { countNumberFrequencies(services, missing); }},
        {"pairs", [&] { countNeighbourGroups(services, missing, 2); }},
        {"quadruples", [&] { countNeighbourGroups(services, missing, 4); }},
        {"overdue", [&] { countOverdueNumbers(services, missing); }},
        {"surface", [&] { countYearSurface(services, missing); }},
        {"digit sums", [&] { countDigitSums(services, missing); }},
        {"super numbers", [&] { countSuperNumbers(services, missing); }},
    };
    chart.addBar(1, 5);
    chart.fitValueAxis(5, 5);
    chart.setBottomTitle(QStringLiteral("vorher"));
    QSignalSpy changes(&chart, &ChartModel::changed);
    for (const auto& [what, op] : operations) {
        EXPECT_THROW(op(), AppError) << what;
        EXPECT_EQ(changes.count(), 0) << what;
        EXPECT_EQ(ui.busyDepth, 0) << what;
    }
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("vorher"));
    EXPECT_EQ(chart.barCount(), 1);
    EXPECT_TRUE(ui.pages.isEmpty());
}

TEST_F(StatsTest, CorruptRecordsNeverCountOutsideTheTables) {
    DrawRecord nanDate = makeDraw(Sat, {1, 2, 3, 4, 5, 6}, 7);
    nanDate.datum = std::numeric_limits<double>::quiet_NaN();
    dir.writeArchive({
        makeDraw(Wed, {1, 2, 3, 4, 5, 200}, 46, 200), // numbers beyond 45 fall outside every table
        nanDate,                                      // a date that is no day never passes
        makeDraw(Sat, {255, 255, 255, 255, 255, 255}, 255, 255),
        makeDraw(Wed2, {10, 11, 12, 13, 14, 15}, 16, 3),
    });
    countNumberFrequencies(services, dir.archivePath());
    EXPECT_EQ(sum(barValues()), 5 + 7);
    EXPECT_TRUE(chart.bottomTitle().contains(QStringLiteral("Ziehungen: 3 ")));

    // Sums within the table make bars (75 .. 215); the 1530 of the 255s does not stretch them.
    countDigitSums(services, dir.archivePath());
    ASSERT_GT(chart.barCount(), 0);
    EXPECT_EQ(chart.bars().front().x, 75);
    EXPECT_EQ(chart.bars().back().x, 215);

    countNeighbourGroups(services, dir.archivePath(), 2);
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Bei 3 Ziehungen wurden 9 Paare gefunden!"));
    countOverdueNumbers(services, dir.archivePath());
    EXPECT_EQ(chart.barCount(), 45);
    countYearSurface(services, dir.archivePath());
    EXPECT_EQ(chart.surface().size(), 90);
    countSuperNumbers(services, dir.archivePath());
    EXPECT_EQ(sum(barValues()), 1);
}

TEST_F(StatsTest, NeighbourGroupsOfOneDraw) {
    // 14 drawn with ZZ 15 is no pair: ZZ never completes a group.
    dir.writeArchive({makeDraw(Wed, {1, 2, 3, 4, 20, 30}, 31), makeDraw(Fri, {5, 6, 7, 8, 9, 10}, 11),
                      makeDraw(Sat, {14, 40, 41, 36, 25, 10}, 15)});
    struct Case {
        int size;
        std::vector<int> entries; // start numbers with a count of 1
        int points;
        const char* caption;
    };
    const Case cases[] = {
        {2, {1, 2, 3, 40}, 44, "Bei 2 Ziehungen wurden 4 Paare gefunden!"},
        {3, {1, 2}, 43, "Bei 2 Ziehungen wurden 2 Dreier gefunden!"},
        {4, {1}, 45, "Bei 2 Ziehungen wurden 1 Vierer gefunden!"},
    };
    for (const auto& c : cases) {
        ui.pages.clear();
        countNeighbourGroups(services, dir.archivePath(), c.size);
        EXPECT_EQ(barXs(), oneTo(c.points)) << c.size;
        std::vector<double> expected(static_cast<std::size_t>(c.points), 0.0);
        for (int n : c.entries) expected[static_cast<std::size_t>(n - 1)] = 1;
        EXPECT_EQ(barValues(), expected) << c.size;
        EXPECT_EQ(chart.bottomTitle(), QLatin1String(c.caption));
        EXPECT_EQ(ui.pages, QStringList{QStringLiteral("TabSheet5")});
        EXPECT_TRUE(chart.bottomAutomatic());
        if (c.size == 4) {
            // The quadruples use the automatic axis: it spans the least and greatest bar.
            EXPECT_TRUE(chart.valueAxis().automatic());
            EXPECT_EQ(chart.valueAxis().minimum(), 0);
            EXPECT_EQ(chart.valueAxis().maximum(), 1);
        } else {
            EXPECT_FALSE(chart.valueAxis().automatic());
            EXPECT_EQ(chart.valueAxis().minimum(), 0);
            EXPECT_EQ(chart.valueAxis().maximum(), 1);
        }
    }
}

TEST_F(StatsTest, QuadrupleBarsAtTheTopStayEmpty) {
    dir.writeArchive({makeDraw(Wed, {42, 43, 44, 45, 1, 2}, 41), makeDraw(Sat, {41, 42, 43, 44, 45, 3}, 40)});
    countNeighbourGroups(services, dir.archivePath(), 4);
    const auto bars = barValues();
    ASSERT_EQ(bars.size(), 45u);
    EXPECT_EQ(bars[40], 1); // 41 .. 44
    EXPECT_EQ(bars[41], 2); // 42 .. 45
    EXPECT_EQ(bars[42], 0);
    EXPECT_EQ(bars[43], 0);
    EXPECT_EQ(bars[44], 0);
    countNeighbourGroups(services, dir.archivePath(), 3);
    EXPECT_EQ(chart.barCount(), 43); // 44 and 45 start no triple
    EXPECT_EQ(barValues()[42], 2);   // 43 .. 45
    countNeighbourGroups(services, dir.archivePath(), 2);
    EXPECT_EQ(chart.barCount(), 44);
    EXPECT_EQ(barValues()[43], 2); // 44, 45
}

TEST_F(StatsTest, OverdueNumbers) {
    dir.writeArchive({makeDraw(Wed, {17, 1, 2, 3, 4, 5}, 6), makeDraw(Sat, {1, 2, 3, 4, 5, 7}, 8),
                      makeDraw(Fri, {9, 10, 11, 12, 13, 14}, 15),
                      makeDraw(Wed2, {30, 31, 32, 33, 34, 35}, 23)});
    countOverdueNumbers(services, dir.archivePath());
    const auto bars = barValues();
    ASSERT_EQ(bars.size(), 45u);
    EXPECT_EQ(bars[16], 3); // 17 only in the first
    EXPECT_EQ(bars[22], 1); // 23 as ZZ of the last
    EXPECT_EQ(bars[44], 4); // 45 never drawn
    EXPECT_EQ(bars[8], 4);  // 9 only in the Friday draw, which is never selected
    EXPECT_EQ(bars[0], 2);
    for (int n : {30, 31, 32, 33, 34, 35, 23}) EXPECT_EQ(bars[static_cast<std::size_t>(n - 1)], 1) << n;
    EXPECT_EQ(chart.valueAxis().minimum(), 1);
    EXPECT_EQ(chart.valueAxis().maximum(), 4);
    EXPECT_FALSE(chart.valueAxis().automatic());
    EXPECT_EQ(
        chart.bottomTitle(),
        QStringLiteral("Welche Zahl ist überfällig, wurde als seit wievielen Ziehungen nicht gezogen?"));
    EXPECT_EQ(ui.pages, QStringList{QStringLiteral("TabSheet5")});
}

TEST_F(StatsTest, YearSurfaceRows) {
    // Two years, and a record out of date order: 2022 after 2023 joins the row of 2023.
    dir.writeArchive({makeDraw(QDate(2022, 12, 28), {1, 2, 3, 4, 5, 6}, 7),
                      makeDraw(QDate(2022, 12, 31), {1, 8, 9, 10, 11, 12}, 13),
                      makeDraw(QDate(2023, 1, 4), {1, 2, 20, 21, 22, 23}, 24),
                      makeDraw(QDate(2022, 12, 24), {2, 30, 31, 32, 33, 34}, 35)});
    countYearSurface(services, dir.archivePath());

    EXPECT_EQ(chart.active(), ChartModel::Series::Surface);
    ASSERT_EQ(chart.surface().size(), 3u * 45);
    std::vector<std::vector<double>> rows(3, std::vector<double>(46, -1));
    for (const auto& p : chart.surface())
        rows[static_cast<std::size_t>(p.z)][static_cast<std::size_t>(p.x)] = p.y;
    for (std::size_t i = 0; i < 45; ++i) {
        EXPECT_EQ(chart.surface()[i].x, double(i + 1));
        EXPECT_EQ(chart.surface()[i].z, 0);
        EXPECT_EQ(chart.surface()[i].y, 0);
        EXPECT_EQ(chart.surface()[45 + i].z, 1);
        EXPECT_EQ(chart.surface()[90 + i].z, 2);
    }
    EXPECT_EQ(rows[1][1], 2);
    EXPECT_EQ(rows[1][13], 1);
    EXPECT_EQ(rows[1][20], 0);
    EXPECT_EQ(rows[2][1], 1);
    EXPECT_EQ(rows[2][2], 2); // 2023 and the late 2022 record
    EXPECT_EQ(rows[2][35], 1);
    double total = 0;
    for (const auto& p : chart.surface()) total += p.y;
    EXPECT_EQ(total, 4 * 7);
    EXPECT_TRUE(chart.valueAxis().automatic());
    EXPECT_TRUE(chart.bottomAutomatic());
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Zahlenverteilung"));
    EXPECT_TRUE(ui.pages.isEmpty());

    // Nothing selected: the one row of zeros at position 0.
    selectWeekdays(false, false);
    countYearSurface(services, dir.archivePath());
    ASSERT_EQ(chart.surface().size(), 45u);
    for (const auto& p : chart.surface()) EXPECT_TRUE(p.y == 0 && p.z == 0);
}

TEST_F(StatsTest, DigitSumsIncludeTheEmptySumsBetween) {
    dir.writeArchive({makeDraw(Wed, {10, 15, 16, 17, 20, 22}, 1), makeDraw(Sat, {10, 15, 16, 17, 20, 25}, 2),
                      makeDraw(Wed2, {10, 15, 16, 17, 20, 22}, 3)});
    countDigitSums(services, dir.archivePath());
    EXPECT_EQ(barXs(), (std::vector<double>{100, 101, 102, 103}));
    EXPECT_EQ(barValues(), (std::vector<double>{2, 0, 0, 1}));
    EXPECT_TRUE(chart.valueAxis().automatic());
    EXPECT_TRUE(chart.bottomAutomatic());
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Quersummenverteilung     Ziehungen: 3    Quersumme: 101"));
    EXPECT_TRUE(ui.pages.isEmpty());
}

TEST_F(StatsTest, SuperNumbersCountStrictlyAfterTheLaterBound) {
    dir.writeArchive({
        makeDraw(QDate(1995, 7, 26), {1, 2, 3, 4, 5, 6}, 7, 1),
        makeDraw(QDate(1995, 7, 29), {1, 2, 3, 4, 5, 6}, 7, 1),
        makeDraw(QDate(1995, 8, 2), {1, 2, 3, 4, 5, 6}, 7, 2),
        makeDraw(QDate(2000, 1, 1), {1, 2, 3, 4, 5, 6}, 7, 3),
        makeDraw(QDate(2000, 1, 5), {1, 2, 3, 4, 5, 6}, 7, 4),
        makeDraw(QDate(2000, 1, 8), {1, 2, 3, 4, 5, 6}, 7, 4),
    });
    struct Case {
        const char* what;
        QDate from;
        bool saturdays;
        std::vector<double> counts;
    };
    const Case cases[] = {
        {"from-date before August 1995", QDate(1990, 1, 1), true, {0, 0, 1, 1, 2, 0, 0, 0, 0, 0}},
        {"from-date on a draw of 2000", QDate(2000, 1, 1), true, {0, 0, 0, 0, 2, 0, 0, 0, 0, 0}},
        {"Wednesdays only", QDate(1990, 1, 1), false, {0, 0, 1, 0, 1, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        setFromDate(c.from);
        selectWeekdays(c.saturdays, true);
        countSuperNumbers(services, dir.archivePath());
        EXPECT_EQ(barXs(), (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9})) << c.what;
        EXPECT_EQ(barValues(), c.counts) << c.what;
        EXPECT_FALSE(chart.valueAxis().automatic()) << c.what;
        EXPECT_EQ(chart.valueAxis().minimum(), 0) << c.what;
        EXPECT_EQ(chart.valueAxis().maximum(), *std::max_element(c.counts.begin(), c.counts.end())) << c.what;
        EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Superzahlverteilung"));
    }
    // The other charts still count from the from-date itself.
    setFromDate(QDate(1990, 1, 1));
    selectWeekdays(true, true);
    countNumberFrequencies(services, dir.archivePath());
    EXPECT_TRUE(chart.bottomTitle().contains(QStringLiteral("Ziehungen: 6 ")));
    EXPECT_TRUE(ui.pages.isEmpty());
}
