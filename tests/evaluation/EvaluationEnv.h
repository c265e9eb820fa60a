#pragma once

#include <vector>

#include "stats/DrawFilter.h"
#include "support/SessionEnv.h"

#include <QStringList>
#include <ostream>

// A session over a temporary program directory with the window's defaults and the grid ready.
struct EvaluationEnv : SessionEnv {
    EvaluationEnv() {
        state.readyFlag = true;
        clock.setToday(QDate(2002, 10, 20));
        DrawFilter::installDefaults(controls);
        controls.setDate(QStringLiteral("DateTimePicker1"), clock.today());
    }

    void setRow(int row, const std::vector<const char*>& texts) {
        int c = 0;
        for (const char* t : texts) grid.setCellText(row, c++, QString::fromLatin1(t));
    }
    QString hits(int row) const { return controls.text(TipGrid::hitLabelName(row)); }
    bool hitsRed(int row) const { return controls.red(TipGrid::hitLabelName(row)); }
    QString sum(int row) const { return controls.text(TipGrid::sumLabelName(row)); }
    QString text(const char* name) const { return controls.text(QString::fromLatin1(name)); }
};
