#include "stats/Statistics.h"

#include "platform/ChartModel.h"
#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "state/Session.h"
#include "stats/Chance.h"
#include "stats/ChartPlan.h"
#include "stats/CountTable.h"
#include "stats/DrawFilter.h"

#include <QLocale>
#include <algorithm>
#include <map>
#include <vector>

namespace {

using Records = std::vector<Draw>;

// The statistics' one way to the chart: hourglass, the archive read once (a missing file throws and leaves
// the chart as it was), the counting over the draws the DrawFilter selects, and the plan it gives drawn by
// drawChart.
template <typename Count> void chartOfArchive(Session& session, Count count) {
    Services& services = session.services;
    BusyCursor busy(services.ui);
    const Records records = session.archive().scan();
    const DrawFilter filter(services.controls, session.game());
    ChartPlan plan = count(records, filter, session.game());
    plan.game = &session.game();
    drawChart(services, plan);
}

// The numbers of any game fit, and a table never counts outside its keys.
using NumberTable = CountTable<64>;

// The bars x = first .. last of a table.
template <std::size_t N> QVector<ChartModel::Point> barsOf(const CountTable<N>& table, int first, int last) {
    QVector<ChartModel::Point> points;
    for (int n = first; n <= last; ++n) points.push_back({double(n), double(table[n]), 0});
    return points;
}

ChartModel::Expectation expectationOf(const chance::Band& band) {
    return {band.expected, double(band.low), double(band.high), band.outside >= 0 ? 1 - band.outside : 0};
}

// The same expectation for each of `bars` bars.
QVector<ChartModel::Expectation> sameForEach(int bars, const chance::Band& band) {
    return QVector<ChartModel::Expectation>(bars, expectationOf(band));
}

// "Außerhalb des Bands: 3 von 45 Balken – bei reinem Zufall im Mittel 2.1": each band holds 95 % of what
// chance gives its bar, so chance alone puts about one bar in twenty outside.
QString outsideTheBand(const std::vector<qint64>& counts, int draws, const chance::Band& band) {
    if (draws <= 0) return {};
    const auto outside =
        std::count_if(counts.begin(), counts.end(), [&](qint64 n) { return n < band.low || n > band.high; });
    const double expected = double(counts.size()) * band.outside;
    return QStringLiteral("Außerhalb des Bands: %1 von %2 Balken – bei reinem Zufall im Mittel %3")
        .arg(outside)
        .arg(counts.size())
        .arg(QLocale().toString(expected, 'f', 1));
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

void countNumberFrequencies(Session& session) {
    chartOfArchive(session, [](const Records& records, const DrawFilter& filter, const Game& game) {
        NumberTable counts;
        int draws = 0;
        double sumTotal = 0;
        for (const auto& r : records) {
            if (!filter.passes(r)) continue;
            game.forEachCounted(r, [&](int n) { counts.add(n); });
            draws += 1;
            sumTotal += r.digitSum();
        }
        std::vector<qint64> numbers;
        for (int n = 1; n <= game.numbers.highest(); ++n) numbers.push_back(counts[n]);

        ChartPlan plan;
        plan.meaning = ChartModel::Meaning::NumberFrequencies;
        plan.points = barsOf(counts, 1, game.numbers.highest());
        plan.caption = QStringLiteral("Zahlenverteilung     ") + drawsAndMeanSum(draws, sumTotal);
        const chance::Band band = chance::binomialBand(draws, game.numberShare());
        plan.expectation = sameForEach(game.numbers.highest(), band);
        plan.verdict = chance::verdictText(chance::frequencyVerdict(game, numbers, draws));
        plan.verdictDetail = outsideTheBand(numbers, draws, band);
        plan.draws = draws;
        return plan;
    });
}

void showNumberFrequencies(Session& session) {
    countNumberFrequencies(session);
    Services& services = session.services;
    if (services.chart.chanceShown()) services.ui.setStatus(1, services.chart.verdict());
}

void countNeighbourGroups(Session& session, int groupSize) {
    groupSize = std::clamp(groupSize, 2, 4);
    chartOfArchive(session, [groupSize](const Records& records, const DrawFilter& filter, const Game& game) {
        // Pairs start at 1 .. highest - 1; triples and quadruples at 1 .. highest - 2 (the last quadruple
        // would need a number beyond the game's, never drawn).
        const int lastStart = groupSize == 2 ? game.numbers.highest() - 1 : game.numbers.highest() - 2;
        NumberTable table;
        qint32 draws = 0;
        qint32 found = 0;
        for (const auto& r : records) {
            if (!filter.passes(r)) continue;
            ++draws;
            // A run counts where each of its numbers is among the main numbers drawn, read from the draw
            // itself.
            std::array<bool, NumberTable::size> drawn{};
            for (const int n : r.numbers)
                if (n >= 0 && std::size_t(n) < drawn.size()) drawn[std::size_t(n)] = true;
            for (int n = 1; n <= lastStart; ++n) {
                bool run = true;
                for (int k = 0; k < groupSize; ++k) run = run && drawn[std::size_t(n + k)];
                if (!run) continue;
                ++found;
                table.add(n);
            }
        }

        ChartPlan plan;
        plan.meaning = groupSize == 2   ? ChartModel::Meaning::NeighbourPairs
                       : groupSize == 3 ? ChartModel::Meaning::NeighbourTriples
                                        : ChartModel::Meaning::NeighbourQuadruples;
        // The quadruples show a bar for every number on an automatic axis; the last runs would need numbers
        // beyond the game's.
        const int bars = groupSize == 4 ? game.numbers.highest() : lastStart;
        plan.points = barsOf(table, 1, bars);
        plan.valueAxis = groupSize == 4 ? ChartPlan::ValueAxis::Automatic : ChartPlan::ValueAxis::Fitted;
        const chance::Band band = chance::binomialBand(draws, chance::groupShare(game, groupSize));
        for (int n = 1; n <= bars; ++n)
            plan.expectation.push_back(n + groupSize - 1 <= game.numbers.highest()
                                           ? expectationOf(band)
                                           : ChartModel::Expectation{});
        plan.caption = QStringLiteral("Bei ") + QString::number(draws) +
                       QStringLiteral(" Ziehungen wurden ") + QString::number(found) + groupWord(groupSize);
        plan.draws = draws;
        plan.showDiagram = true;
        return plan;
    });
}

void countOverdueNumbers(Session& session) {
    chartOfArchive(session, [](const Records& records, const DrawFilter& filter, const Game& game) {
        NumberTable overdue;
        overdue.fill(1);
        int draws = 0;
        for (const auto& r : records) {
            if (!filter.passes(r)) continue;
            ++draws;
            for (int n = 0; n <= game.numbers.highest(); ++n) overdue.add(n);
            game.forEachCounted(r, [&](int n) { overdue.set(n, 1); });
        }

        ChartPlan plan;
        plan.meaning = ChartModel::Meaning::OverdueNumbers;
        plan.points = barsOf(overdue, 1, game.numbers.highest());
        plan.expectation = sameForEach(game.numbers.highest(), chance::overdueBand(game, draws));
        plan.caption =
            QStringLiteral("Welche Zahl ist überfällig, wurde als seit wievielen Ziehungen nicht gezogen?");
        plan.draws = draws;
        plan.showDiagram = true;
        return plan;
    });
}

void countYearSurface(Session& session) {
    chartOfArchive(session, [](const Records& records, const DrawFilter& filter, const Game& game) {
        ChartPlan plan;
        plan.series = ChartModel::Series::Surface;
        plan.meaning = ChartModel::Meaning::YearSurface;
        plan.valueAxis = ChartPlan::ValueAxis::Automatic;
        plan.caption = QStringLiteral("Zahlenverteilung");

        NumberTable counts;
        int yearPosition = 0;
        int lastYear = 0;
        plan.surfaceYears = {0}; // the calendar year of each row position; the leading row counts none
        const auto addRow = [&] {
            for (int n = 1; n <= game.numbers.highest(); ++n)
                plan.points.push_back({double(n), double(counts[n]), double(yearPosition)});
        };
        int draws = 0;
        for (const auto& r : records) {
            if (!filter.passes(r)) continue;
            ++draws;
            // A new year closes the row before it; a year earlier than the last (out of order) joins the
            // current row.
            const int year = dates::yearOf(r.date);
            if (year > lastYear) {
                addRow();
                counts.fill(0);
                lastYear = year;
                ++yearPosition;
                plan.surfaceYears << year;
            }
            game.forEachCounted(r, [&](int n) { counts.add(n); });
        }
        addRow();
        plan.draws = draws;
        return plan;
    });
}

void countDigitSums(Session& session) {
    chartOfArchive(session, [](const Records& records, const DrawFilter& filter, const Game& game) {
        CountTable<280> counts;
        int smallest = 500;
        int largest = 0;
        int draws = 0;
        double sumTotal = 0;
        for (const auto& r : records) {
            if (!filter.passes(r)) continue;
            const int d = r.digitSum();
            // A sum beyond the table (only a stored number beyond the game's gives one) widens no bounds,
            // so the chart never runs out to a thousand empty bars.
            if (CountTable<280>::covers(d)) {
                counts.add(d);
                smallest = std::min(smallest, d);
                largest = std::max(largest, d);
            }
            draws += 1;
            sumTotal += d;
        }

        ChartPlan plan;
        plan.meaning = ChartModel::Meaning::DigitSums;
        plan.valueAxis = ChartPlan::ValueAxis::Automatic;
        const auto ways = chance::digitSumWays(game);
        if (largest >= smallest) {
            // Every sum six numbers of the game can have, drawn or not, so that the band shows where chance
            // puts none; a damaged record's sum beyond them widens the range.
            const auto possible = std::find_if(ways.begin(), ways.end(), [](qint64 w) { return w > 0; });
            smallest = std::min(smallest, int(possible - ways.begin()));
            largest = std::max(largest, int(ways.size()) - 1);
            plan.points = barsOf(counts, smallest, largest);
            // Each sum's share of the choices of six numbers, times the draws.
            const double all = double(game.numberChoices());
            for (int s = smallest; s <= largest; ++s) {
                const double share = s < int(ways.size()) ? double(ways[std::size_t(s)]) / all : 0;
                plan.expectation.push_back(expectationOf(chance::binomialBand(draws, share)));
            }
        }
        plan.caption = QStringLiteral("Quersummenverteilung     ") + drawsAndMeanSum(draws, sumTotal);
        plan.draws = draws;
        return plan;
    });
}

void countSuperNumbers(Session& session) {
    chartOfArchive(session, [](const Records& records, const DrawFilter& filter, const Game& game) {
        // Super numbers are drawn only since the game's first draws with one.
        const double lowerBound = std::max(filter.fromDate(), dates::toDayNumber(game.superNumber.after));
        CountTable<10> counts;
        int draws = 0;
        for (const auto& r : records) {
            if (r.date > lowerBound && filter.passesWeekday(r.date)) {
                counts.add(r.superNumber);
                ++draws;
            }
        }

        ChartPlan plan;
        plan.meaning = ChartModel::Meaning::SuperNumbers;
        plan.points = barsOf(counts, game.superNumber.lowest, game.superNumber.highest);
        plan.fitStart = -100;
        plan.caption = game.superNumber.name + QStringLiteral("verteilung");
        plan.draws = draws;
        return plan;
    });
}

void showExtraNumbers(Session& session) {
    chartOfArchive(session, [](const Records& records, const DrawFilter& filter, const Game& game) {
        // The first further drum of the tip's own (the Glückszahl, the stars); each draw counts with the
        // range of its day, so that a number the drum did not hold yet is not expected of it.
        const Drum& drum = game.tipExtraDrumAt(0);
        int at = 0;
        for (const Drum& d : game.extras) {
            if (&d == &drum) break;
            at += d.drawn;
        }
        NumberTable counts;
        int draws = 0;
        std::map<int, int> drawsByRange; // the drum's highest number, and the draws with it
        for (const auto& r : records) {
            if (!filter.passes(r)) continue;
            for (const int n : r.extras.part(at, drum.drawn)) counts.add(n);
            ++drawsByRange[drum.highest(dates::fromDayNumber(r.date))];
            ++draws;
        }
        const int highest = drum.highest();
        std::vector<qint64> numbers;
        for (int n = drum.lowest; n <= highest; ++n) numbers.push_back(counts[n]);
        ChartPlan plan;
        plan.meaning = ChartModel::Meaning::ExtraNumbers;
        plan.points = barsOf(counts, drum.lowest, highest);
        plan.caption = drum.name + QStringLiteral("verteilung     Ziehungen: ") + QString::number(draws);
        // Each number of the drum equally likely in a draw whose range holds it.
        const auto chanceOf = [&](int n) {
            std::vector<std::pair<int, double>> parts;
            for (const auto& [top, count] : drawsByRange)
                if (n <= top) parts.push_back({count, double(drum.drawn) / double(top - drum.lowest + 1)});
            return chance::mixedBand(parts);
        };
        std::vector<double> shares;
        for (int n = drum.lowest; n <= highest; ++n) {
            const chance::Band band = chanceOf(n);
            plan.expectation.push_back(expectationOf(band));
            shares.push_back(band.expected);
        }
        // Drawn without replacement, the counts of a drum that draws several spread less.
        const double correction = double(drum.size() - 1) / double(drum.size() - drum.drawn);
        if (drawsByRange.size() <= 1) {
            const double share = double(drum.drawn) / double(drum.size());
            const chance::Band band = chance::binomialBand(draws, share);
            plan.verdict = chance::verdictText(chance::countsVerdict(numbers, draws, share, correction));
            plan.verdictDetail = outsideTheBand(numbers, draws, band);
        } else {
            plan.verdict = chance::verdictText(chance::expectedVerdict(numbers, shares, draws, correction));
        }
        plan.draws = draws;
        plan.showDiagram = true;
        return plan;
    });
    Services& services = session.services;
    if (services.chart.chanceShown()) services.ui.setStatus(1, services.chart.verdict());
}
