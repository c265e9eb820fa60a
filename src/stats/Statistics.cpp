#include "stats/Statistics.h"

#include "archive/CurrentDraw.h"
#include "archive/DrawArchive.h"
#include "platform/ChartModel.h"
#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "stats/DrawFilter.h"

#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace {

const QString DiagramPage = QStringLiteral("TabSheet5");

// The whole archive, read before the chart is touched: a missing file throws and leaves the chart as it was.
std::vector<DrawRecord> readArchive(const QString& archivePath) {
    const QFileInfo info(archivePath);
    return DrawArchive(info.absolutePath() + QLatin1Char('/')).scan();
}

void startBars(ChartModel& chart) {
    chart.activate(ChartModel::Series::Bar);
    chart.clear(ChartModel::Series::Bar);
}

// Adds the bars x = first .. last from the table and returns the least and greatest of them.
template <std::size_t N>
std::pair<qint32, qint32> addBars(ChartModel& chart, const CountTable<N>& table, int first, int last) {
    qint32 smallest = table[first];
    qint32 largest = table[first];
    for (int n = first; n <= last; ++n) {
        smallest = std::min(smallest, table[n]);
        largest = std::max(largest, table[n]);
        chart.addBar(n, table[n]);
    }
    return {smallest, largest};
}

// "Ziehungen: 12    Quersumme: 138"; without a draw the mean has no value and shows as "-".
QString drawsAndMeanSum(double draws, double sumTotal) {
    const QString mean =
        draws > 0 ? QString::number(dates::roundToInt(sumTotal / draws)) : QStringLiteral("-");
    return QStringLiteral("Ziehungen: ") + QString::number(dates::roundToInt(draws)) +
           QStringLiteral("    Quersumme: ") + mean;
}

QString groupWord(int groupSize) {
    switch (groupSize) {
    case 2:
        return QStringLiteral(" Paare gefunden!");
    case 3:
        return QStringLiteral(" Dreier gefunden!");
    default:
        return QStringLiteral(" Vierer gefunden!");
    }
}

} // namespace

void countNumberFrequencies(Services& services, const QString& archivePath) {
    BusyCursor busy(services.ui);
    const auto records = readArchive(archivePath);
    const DrawFilter filter(services.controls);
    ChartModel& chart = services.chart;
    startBars(chart);

    CountTable<46> counts;
    double draws = 0;
    double sumTotal = 0;
    for (const auto& r : records) {
        if (!filter.passes(r)) continue;
        for (int i = 0; i < 7; ++i) counts.add(r.drawnNumber(i));
        draws += 1;
        sumTotal += r.digitSum();
    }

    const auto [smallest, largest] = addBars(chart, counts, 1, 45);
    chart.fitValueAxis(smallest, largest);
    chart.setBottomAutomatic(true);
    chart.setMeaning(ChartModel::Meaning::NumberFrequencies);
    chart.setBottomTitle(QStringLiteral("Zahlenverteilung     ") + drawsAndMeanSum(draws, sumTotal));
}

void countNeighbourGroups(Services& services, const QString& archivePath, int groupSize) {
    groupSize = std::clamp(groupSize, 2, 4);
    BusyCursor busy(services.ui);
    const auto records = readArchive(archivePath);
    const DrawFilter filter(services.controls);
    ChartModel& chart = services.chart;
    startBars(chart);

    // Pairs start at 1 .. 44; triples and quadruples at 1 .. 43 (the quadruple at 43 needs 46, never drawn).
    const int lastStart = groupSize == 2 ? 44 : 43;
    std::vector<TipNumbers> groups;
    for (int n = 1; n <= lastStart; ++n) {
        std::array<int, 6> numbers{};
        for (int k = 0; k < groupSize; ++k) numbers[static_cast<std::size_t>(k)] = n + k;
        groups.push_back(tipOf(numbers));
    }

    // A draw of our own: the draw on display and its evaluation stay as the user sees them.
    CurrentDraw draw;
    CountTable<46> table;
    qint32 draws = 0;
    qint32 found = 0;
    for (const auto& r : records) {
        if (!filter.passes(r)) continue;
        ++draws;
        draw.loadNumbers(r);
        for (int n = 1; n <= lastStart; ++n) {
            if (zettelcheck(draw, groups[static_cast<std::size_t>(n - 1)]).hitCount == groupSize) {
                ++found;
                table.add(n);
            }
        }
    }

    if (groupSize == 4) {
        for (int n = 1; n <= 45; ++n) chart.addBar(n, table[n]);
        chart.setValueAutomatic(true);
    } else {
        const auto [smallest, largest] = addBars(chart, table, 1, lastStart);
        chart.fitValueAxis(smallest, largest);
    }
    chart.setBottomAutomatic(true);
    chart.setMeaning(groupSize == 2   ? ChartModel::Meaning::NeighbourPairs
                     : groupSize == 3 ? ChartModel::Meaning::NeighbourTriples
                                      : ChartModel::Meaning::NeighbourQuadruples);
    chart.setBottomTitle(QStringLiteral("Bei ") + QString::number(draws) +
                         QStringLiteral(" Ziehungen wurden ") + QString::number(found) +
                         groupWord(groupSize));
    services.ui.showPage(DiagramPage);
}

void countOverdueNumbers(Services& services, const QString& archivePath) {
    BusyCursor busy(services.ui);
    const auto records = readArchive(archivePath);
    const DrawFilter filter(services.controls);
    ChartModel& chart = services.chart;
    startBars(chart);

    CountTable<46> overdue;
    overdue.fill(1);
    for (const auto& r : records) {
        if (!filter.passes(r)) continue;
        for (int n = 0; n < CountTable<46>::size; ++n) overdue.add(n);
        for (int i = 0; i < 7; ++i) overdue.set(r.drawnNumber(i), 1);
    }

    const auto [smallest, largest] = addBars(chart, overdue, 1, 45);
    chart.fitValueAxis(smallest, largest);
    chart.setBottomAutomatic(true);
    chart.setMeaning(ChartModel::Meaning::OverdueNumbers);
    chart.setBottomTitle(
        QStringLiteral("Welche Zahl ist überfällig, wurde als seit wievielen Ziehungen nicht gezogen?"));
    services.ui.showPage(DiagramPage);
}

void countYearSurface(Services& services, const QString& archivePath) {
    BusyCursor busy(services.ui);
    const auto records = readArchive(archivePath);
    const DrawFilter filter(services.controls);
    ChartModel& chart = services.chart;
    chart.activate(ChartModel::Series::Surface);
    chart.clear(ChartModel::Series::Surface);

    CountTable<46> counts;
    int yearPosition = 0;
    int lastYear = 0;
    QVector<int> years{0}; // the calendar year of each row position; the leading row counts none
    const auto addRow = [&] {
        for (int n = 1; n <= 45; ++n) chart.addSurface(n, counts[n], yearPosition);
    };
    for (const auto& r : records) {
        if (!filter.passes(r)) continue;
        // A new year closes the row before it; a year earlier than the last (out of order) joins the current
        // row.
        const int year = dates::yearOf(r.datum);
        if (year > lastYear) {
            addRow();
            counts.fill(0);
            lastYear = year;
            ++yearPosition;
            years << year;
        }
        for (int i = 0; i < 7; ++i) counts.add(r.drawnNumber(i));
    }
    addRow();
    chart.setSurfaceYears(years);
    chart.setMeaning(ChartModel::Meaning::YearSurface);
    chart.setValueAutomatic(true);
    chart.setBottomAutomatic(true);
    chart.setBottomTitle(QStringLiteral("Zahlenverteilung"));
}

void countDigitSums(Services& services, const QString& archivePath) {
    BusyCursor busy(services.ui);
    const auto records = readArchive(archivePath);
    const DrawFilter filter(services.controls);
    ChartModel& chart = services.chart;
    startBars(chart);

    CountTable<280> counts;
    int smallest = 500;
    int largest = 0;
    double draws = 0;
    double sumTotal = 0;
    for (const auto& r : records) {
        if (!filter.passes(r)) continue;
        const int d = r.digitSum();
        // A sum beyond the table (only a stored number above 45 gives one) widens no bounds, so the
        // chart never runs out to a thousand empty bars.
        if (CountTable<280>::covers(d)) {
            counts.add(d);
            smallest = std::min(smallest, d);
            largest = std::max(largest, d);
        }
        draws += 1;
        sumTotal += d;
    }

    if (largest >= smallest)
        for (int s = smallest; s <= largest; ++s) chart.addBar(s, counts[s]);
    chart.setValueAutomatic(true);
    chart.setBottomAutomatic(true);
    chart.setMeaning(ChartModel::Meaning::DigitSums);
    chart.setBottomTitle(QStringLiteral("Quersummenverteilung     ") + drawsAndMeanSum(draws, sumTotal));
}

void countSuperNumbers(Services& services, const QString& archivePath) {
    BusyCursor busy(services.ui);
    const auto records = readArchive(archivePath);
    const DrawFilter filter(services.controls);
    // Super numbers are drawn only since August 1995.
    const double lowerBound = std::max(filter.fromDate(), dates::toDayNumber(QDate(1995, 8, 1)));
    ChartModel& chart = services.chart;
    startBars(chart);

    CountTable<46> counts;
    for (const auto& r : records)
        if (r.datum > lowerBound && filter.passesWeekday(r.datum)) counts.add(r.sz);

    qint32 smallest = 1000000;
    qint32 largest = 0;
    for (int v = 0; v <= 9; ++v) {
        smallest = std::min(smallest, counts[v]);
        largest = std::max(largest, counts[v]);
        chart.addBar(v, counts[v]);
    }
    chart.fitValueAxis(smallest, largest, -100);
    chart.setBottomAutomatic(true);
    chart.setMeaning(ChartModel::Meaning::SuperNumbers);
    chart.setBottomTitle(QStringLiteral("Superzahlverteilung"));
}
