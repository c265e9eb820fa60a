#pragma once

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

#include <gtest/gtest.h>

class SilentSound : public Sound {
public:
    void play(const QString&) override {}
};

class NoShell : public Shell {
public:
    void open(const QString&) override {}
};

// The window's pieces for one statistics run: real controls and chart, a fake window, a fixed day.
class StatsTest : public ::testing::Test {
protected:
    StatsTest() {
        DrawFilter::installDefaults(controls);
        clock.setToday(QDate(2024, 6, 1));
    }

    void selectWeekdays(bool saturdays, bool wednesdays) {
        controls.setChecked(QStringLiteral("CheckBox16"), saturdays);
        controls.setChecked(QStringLiteral("CheckBox17"), wednesdays);
    }
    void setFromDate(const QDate& date) { controls.setDate(QStringLiteral("DateTimePicker2"), date); }

    std::vector<double> barValues() const {
        std::vector<double> v;
        for (const auto& p : chart.bars()) v.push_back(p.y);
        return v;
    }
    std::vector<double> barXs() const {
        std::vector<double> v;
        for (const auto& p : chart.bars()) v.push_back(p.x);
        return v;
    }

    FakeUi ui;
    Controls controls;
    ChartModel chart;
    Clock clock;
    Random random;
    SilentSound sound;
    NoShell shell;
    Services services{ui, controls, chart, clock, random, sound, shell};
    TestDir dir;
};
