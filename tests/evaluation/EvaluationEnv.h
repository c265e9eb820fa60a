#pragma once

#include <vector>

#include "archive/AppState.h"
#include "generator/GeneratorOptions.h"
#include "generator/Session.h"
#include "generator/TipGrid.h"
#include "platform/ChartModel.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "stats/DrawFilter.h"
#include "support/FakeUi.h"
#include "support/TestDir.h"

#include <QStringList>
#include <ostream>

// Failing comparisons show the text, not its code units.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

class RecordingSound : public Sound {
public:
    void play(const QString& file) override { played << file; }
    QStringList played;
};

class NullShell : public Shell {
public:
    void open(const QString&) override {}
};

// A session over a temporary program directory with the window's defaults and the grid ready.
struct EvaluationEnv {
    TestDir dir;
    FakeUi ui;
    Controls controls;
    ChartModel chart;
    Clock clock;
    Random random;
    RecordingSound sound;
    NullShell shell;
    Services services{ui, controls, chart, clock, random, sound, shell};
    AppState state;
    TipGrid grid{controls};
    GeneratorOptions options{controls};
    Session session{services, state, grid, options};

    EvaluationEnv() {
        state.programDir = dir.path();
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
