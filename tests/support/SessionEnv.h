#pragma once

#include "platform/ChartModel.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "state/AppState.h"
#include "state/GeneratorOptions.h"
#include "state/Session.h"
#include "state/TipGrid.h"
#include "support/FakeUi.h"
#include "support/TestDir.h"

#include <QStringList>

class RecordingSound : public Sound {
public:
    void play(const QString& file) override { played << file; }
    QStringList played;
};

class RecordingShell : public Shell {
public:
    void open(const QString& address) override { opened << address; }
    QStringList opened;
};

// A session of the program without its window: real controls, chart, grid and options, a fake window.
struct SessionParts {
    FakeUi ui;
    Controls controls;
    ChartModel chart;
    Clock clock;
    Random random;
    RecordingSound sound;
    RecordingShell shell;
    Services services{ui, controls, chart, clock, random, sound, shell};
    AppState state;
    TipGrid grid{controls, *state.game};
    GeneratorOptions options{controls};
    Session session{services, state, grid, options};
};

// The temporary program directory outlives the session that works in it.
struct TempProgramDir {
    TestDir dir;
};

// A session in a temporary program directory.
struct SessionEnv : TempProgramDir, SessionParts {
    SessionEnv() { state.programDir = dir.path(); }
};
