#pragma once

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
#include "support/FakeUi.h"
#include "support/TestDir.h"

#include <QStringList>

class SilentSound : public Sound {
public:
    void play(const QString& file) override { played << file; }
    QStringList played;
};

class NoShell : public Shell {
public:
    void open(const QString& address) override { opened << address; }
    QStringList opened;
};

// A whole session of the program without its window: real controls, grid and archive directory.
struct ImportFixture {
    TestDir dir;
    FakeUi ui;
    Controls controls;
    ChartModel chart;
    Clock clock;
    Random random;
    SilentSound sound;
    NoShell shell;
    Services services{ui, controls, chart, clock, random, sound, shell};
    AppState state;
    TipGrid grid{controls};
    GeneratorOptions options{controls};
    Session session{services, state, grid, options};

    explicit ImportFixture(const QDate& today = QDate(2002, 10, 10)) {
        clock.setToday(today);
        state.programDir = dir.path();
        controls.setVisible(QStringLiteral("SpeedButton8"), false);
        controls.setVisible(QStringLiteral("Memo1"), false);
        controls.setText(QStringLiteral("ProxyPortEdit"), QStringLiteral("80"));
        controls.setText(QStringLiteral("FileNameEdit"), dir.file(QStringLiteral("Lotto.html")));
    }

    void setTip(int row, const TipGrid::Tip& numbers) { grid.writeTip(row, numbers); }
};
