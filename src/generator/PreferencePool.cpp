#include "generator/PreferencePool.h"

#include "platform/ChartModel.h"
#include "platform/Dates.h"
#include "platform/Ui.h"
#include "state/GeneratorOptions.h"
#include "state/Session.h"
#include "stats/Statistics.h"

#include <algorithm>

namespace {

enum class Bound { FromTop, FromBottom };

struct StepRule {
    Bound lower; // FromTop: Min = Top - span * fraction, Max = Top; FromBottom: Min = 0, Max = Bottom + ...
    double fraction;
    bool strict;     // Min < value, else Min <= value
    int barsLeftOut; // the last bars, whose group would run past the game's numbers
    int spread;      // a qualifying bar j adds j+1 .. j+spread
    int repeat;      // ... this many times
    bool oneBlank;   // " Max: " instead of "  Max: " in the status text
};

StepRule ruleOf(PoolStep step) {
    switch (step) {
    case PoolStep::A:
        return {Bound::FromTop, 0.5, true, 0, 1, 2, false};
    case PoolStep::B:
        return {Bound::FromTop, 0.3, true, 1, 2, 1, false};
    case PoolStep::C:
        return {Bound::FromBottom, 0.3, true, 1, 2, 1, false};
    case PoolStep::D:
        return {Bound::FromTop, 0.3, true, 2, 3, 1, false};
    case PoolStep::E:
        return {Bound::FromBottom, 0.3, true, 2, 3, 1, false};
    case PoolStep::F:
        return {Bound::FromTop, 0.3, true, 3, 4, 1, false};
    case PoolStep::G:
        return {Bound::FromBottom, 0.3, true, 3, 4, 1, true};
    case PoolStep::H1:
        return {Bound::FromTop, 0.2, false, 0, 1, 2, false};
    case PoolStep::H2:
        return {Bound::FromTop, 0.3, false, 0, 1, 1, false};
    case PoolStep::I1:
        return {Bound::FromBottom, 0.1, false, 0, 1, 2, true};
    case PoolStep::I2:
        return {Bound::FromBottom, 0.3, false, 0, 1, 1, false};
    }
    return {};
}

} // namespace

void PreferencePool::add(int number) {
    if (count < static_cast<int>(entries.size()))
        entries[static_cast<std::size_t>(count)] = number;
    else
        entries.push_back(number);
    ++count;
}

int PreferencePool::occurrences(int number) const {
    const int range = std::min(poolSize, static_cast<int>(entries.size()));
    return static_cast<int>(std::count(entries.begin(), entries.begin() + range, number));
}

void examinePoolStep(PoolStep step, const ChartModel& chart, Ui& ui, PreferencePool& pool) {
    const StepRule rule = ruleOf(step);
    const double top = chart.valueAxis().maximum();
    const double bottom = chart.valueAxis().minimum();
    const double span = top - bottom;
    int min = 0;
    int max = 0;
    if (rule.lower == Bound::FromTop) {
        min = dates::roundToInt(top - span * rule.fraction);
        max = dates::roundToInt(top);
    } else {
        max = dates::roundToInt(bottom + span * rule.fraction);
    }

    ui.setStatus(1, QStringLiteral("Min: ") + QString::number(min) +
                        (rule.oneBlank ? QStringLiteral(" Max: ") : QStringLiteral("  Max: ")) +
                        QString::number(max) + QStringLiteral("  ") + QString::number(pool.count));
    ui.repaintStatus();

    const int bars = chart.barCount() - rule.barsLeftOut;
    for (int j = 0; j < bars; ++j) {
        const double value = chart.barValue(j);
        const bool aboveMin = rule.strict ? value > min : value >= min;
        if (!aboveMin || value > max) continue;
        for (int r = 0; r < rule.repeat; ++r)
            for (int k = 1; k <= rule.spread; ++k) pool.add(j + k);
    }
}

void completePool(PreferencePool& pool, bool preferredOnly, const Game& game) {
    if (preferredOnly) {
        pool.poolSize = pool.count;
        return;
    }
    if (pool.count <= PreferencePool::DrawRange) {
        // The cycle starts at 1 whatever count is; entry 500 is filled but never drawn.
        for (int i = pool.count; i < PreferencePool::BaseEntries; ++i)
            pool.entries[static_cast<std::size_t>(i)] = (i - pool.count) % game.numbers.highest() + 1;
        pool.poolSize = PreferencePool::DrawRange;
    } else {
        // A grown pool is drawn whole, so the steps that came last (the frequencies) still count.
        pool.poolSize = pool.count > PreferencePool::BaseEntries ? pool.count : PreferencePool::DrawRange;
    }
}

PreferencePool buildPreferencePool(Session& session) {
    Services& services = session.services;
    Ui& ui = services.ui;
    const ChartModel& chart = services.chart;
    GeneratorOptions& options = session.options;
    BusyCursor busy(ui);

    auto compute = [&](const QString& announcement, auto&& statistic, bool showDiagram) {
        ui.setStatus(1, announcement);
        ui.repaintStatus();
        statistic();
        if (showDiagram) ui.showPage(QStringLiteral("TabSheet5"));
        ui.repaintWindow();
    };
    auto overdue = [&] { countOverdueNumbers(session); };
    auto groups = [&](int size) { return [&session, size] { countNeighbourGroups(session, size); }; };
    auto frequencies = [&] { countNumberFrequencies(session); };
    const QString pairsText = QStringLiteral("Berechnung der Paarbildung");
    const QString triplesText = QStringLiteral("Berechnung der Dreiergruppenbildung");
    const QString quadsText = QStringLiteral("Berechnung der Vierergruppenbildung");
    const QString frequencyText = QStringLiteral("Berechnung der Zahlenverteilung");

    PreferencePool pool;
    // CheckBox1 switches on both the overdue and the pair preference.
    if (options.preferPairs()) {
        compute(QStringLiteral("Berechnung der Überfälligen"), overdue, true);
        examinePoolStep(PoolStep::A, chart, ui, pool);
        compute(pairsText, groups(2), true);
        examinePoolStep(PoolStep::B, chart, ui, pool);
    }
    if (options.rarestPairs()) {
        if (!options.preferPairs()) compute(pairsText, groups(2), true);
        examinePoolStep(PoolStep::C, chart, ui, pool);
    }
    if (options.preferTriples()) {
        compute(triplesText, groups(3), true);
        examinePoolStep(PoolStep::D, chart, ui, pool);
    }
    if (options.rarestTriples()) {
        if (!options.preferTriples()) compute(triplesText, groups(3), true);
        examinePoolStep(PoolStep::E, chart, ui, pool);
    }
    // The quadruple statistic shows its page itself; the step does not switch again.
    if (options.preferQuads()) {
        compute(quadsText, groups(4), false);
        examinePoolStep(PoolStep::F, chart, ui, pool);
    }
    if (options.rarestQuads()) {
        if (!options.preferQuads()) compute(quadsText, groups(4), false);
        examinePoolStep(PoolStep::G, chart, ui, pool);
    }
    if (options.preferFrequent()) {
        compute(frequencyText, frequencies, true);
        examinePoolStep(PoolStep::H1, chart, ui, pool);
        examinePoolStep(PoolStep::H2, chart, ui, pool);
    }
    // CheckBox10 prefers the rarely drawn numbers, whatever its caption says.
    if (options.preferRare()) {
        if (!options.preferFrequent()) compute(frequencyText, frequencies, true);
        examinePoolStep(PoolStep::I1, chart, ui, pool);
        examinePoolStep(PoolStep::I2, chart, ui, pool);
    }
    completePool(pool, options.preferredOnly(), session.game());
    return pool;
}
