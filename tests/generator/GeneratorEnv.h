#pragma once

#include "evaluation/Evaluation.h"
#include "stats/DrawFilter.h"
#include "support/SessionEnv.h"

#include <QObject>
#include <QStringList>
#include <vector>

// The numbers of a tip row, 0 for an empty cell.
using TipNumbers = std::array<int, 6>; // the six cells of a row of the Swiss games

namespace gentest {

// The window's state for one calculation: real controls with the form defaults, the real draw
// navigator, a fake window and a fixed day after the generated draws.
struct GeneratorEnv : SessionEnv {
    SessionDrawSteps steps{session};

    GeneratorEnv() {
        state.readyFlag = true;
        clock.setToday(QDate(2030, 1, 1));
        DrawFilter::installDefaults(controls);
        options.installDefaults();
        grid.installDefaults();
        state.maxCalcRuns = options.runLimitThousands() * 1000;
    }

    void setRunLimitThousands(int thousands) {
        controls.setValue(QStringLiteral("UpDown7"), thousands);
        state.maxCalcRuns = thousands * 1000;
    }
    void check(int box, bool on) { controls.setChecked(QStringLiteral("CheckBox%1").arg(box), on); }
    void setUpDown(int n, int value) { controls.setValue(QStringLiteral("UpDown%1").arg(n), value); }
    // Every preference option off (steps A to I do not run).
    void noPreferences() {
        for (int box : {1, 2, 6, 7, 10, 11, 12, 13}) check(box, false);
    }

    std::vector<TipNumbers> rows() const {
        std::vector<TipNumbers> tips;
        for (int r = 0; r < TipGrid::Rows; ++r) {
            TipNumbers tip{};
            for (int c = 0; c < 6; ++c) tip[static_cast<std::size_t>(c)] = grid.cell(r, c).value_or(0);
            tips.push_back(tip);
        }
        return tips;
    }
    QString sumLabel(int row) const { return controls.text(TipGrid::sumLabelName(row)); }
};

// Records every change of the controls the search relaxes, in order, as "CheckBox8=0", "UpDown6=6".
struct RelaxSpy {
    explicit RelaxSpy(Controls& controls) {
        connection = QObject::connect(&controls, &Controls::changed, [&controls, this](const QString& name) {
            if (name == QLatin1String("CheckBox8"))
                changes << name + QStringLiteral("=") + QString::number(controls.checked(name));
            else if (name == QLatin1String("UpDown4") || name == QLatin1String("UpDown5") ||
                     name == QLatin1String("UpDown6"))
                changes << name + QStringLiteral("=") + QString::number(controls.value(name));
        });
    }
    ~RelaxSpy() { QObject::disconnect(connection); }
    QStringList changes;
    QMetaObject::Connection connection;
};

// The hits of a tip on a draw's numbers as the player counts them: tip numbers found among the listed.
inline int commonNumbers(const TipNumbers& tip, const std::vector<int>& drawn) {
    int hits = 0;
    for (int t : tip)
        for (int d : drawn) hits += t == d ? 1 : 0;
    return hits;
}

inline std::vector<int> sixOf(const Draw& r) {
    return {r.numbers.begin(), r.numbers.end()};
}
inline std::vector<int> sevenOf(const Draw& r) {
    auto v = sixOf(r);
    v.push_back(r.extras[0]);
    return v;
}

} // namespace gentest
