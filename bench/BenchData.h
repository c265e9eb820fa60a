#pragma once

#include "game/Draw.h"
#include "gui/Dialogs.h"
#include "platform/ChartModel.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/Ui.h"
#include "state/AppState.h"
#include "state/GeneratorOptions.h"
#include "state/Session.h"
#include "state/TipGrid.h"

#include <QString>
#include <QTemporaryDir>
#include <vector>

// A program directory holding a generated archive: Wednesdays and Saturdays from 1986 on.
class BenchArchive {
public:
    explicit BenchArchive(int draws = 3000);
    QString programDir() const { return dir_.path() + QLatin1Char('/'); }
    const std::vector<Draw>& records() const { return records_; }

private:
    QTemporaryDir dir_;
    std::vector<Draw> records_;
};

// The window without painting: keeps the latest status text, as the status bar does between repaints.
class UnpaintedUi : public Ui {
public:
    void setStatus(int panel, const QString& text) override { status_[panel & 1] = text; }
    QString status(int panel) const override { return status_[panel & 1]; }
    void repaintStatus() override {}
    void repaintWindow() override {}
    void showPage(const QString&) override {}
    void message(const QString&, const QString&, const QString&) override {}
    bool messageOrStop(const QString&, const QString&) override { return true; }
    void error(const QString&) override {}
    void offerCancel(bool) override {}
    bool cancelRequested() const override { return false; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString& preset) override {
        return preset;
    }
    bool question(const QString&, const QString&, Preset) override { return answerYes; }
    void beginBusy() override {}
    void endBusy() override {}
    bool answerYes = false;

private:
    QString status_[2];
};

class NoSound : public Sound {
public:
    void play(const QString&) override {}
};

class NoShell : public Shell {
public:
    void open(const QString&) override {}
};

// A session of the program over the generated archive, without its window.
struct BenchSession {
    BenchArchive data;
    UnpaintedUi ui;
    Controls controls;
    ChartModel chart;
    Clock clock;
    Random random;
    NoSound sound;
    NoShell shell;
    Services services{ui, controls, chart, clock, random, sound, shell};
    AppState state;
    TipGrid grid{controls, *state.game};
    GeneratorOptions options{controls};
    Session session{services, state, grid, options};

    BenchSession() { state.programDir = data.programDir(); }
};

// A program directory holding a game's shipped record of the real draws, taken the way a first start does.
struct RecordRig : BenchSession {
    QTemporaryDir dir;
    explicit RecordRig(const Game& game);
};

// The user at the window's boxes, saying yes.
class YesDialogs : public Dialogs {
public:
    void message(QWidget*, const QString&, const QString&, const QString&) override {}
    void error(QWidget*, const QString&, const QString& text) override { errors << text; }
    bool messageOrStop(QWidget*, const QString&, const QString&) override { return true; }
    std::optional<QString> input(QWidget*, const QString&, const QString&, const QString& preset) override {
        return preset;
    }
    bool question(QWidget*, const QString&, const QString&, bool) override { return true; }
    QStringList errors;
};
