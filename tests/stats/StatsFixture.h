#pragma once

#include "stats/DrawFilter.h"
#include "support/SessionEnv.h"

#include <gtest/gtest.h>

// The window's pieces for one statistics run: real controls and chart, a fake window, a fixed day.
class StatsTest : public ::testing::Test, protected SessionEnv {
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
};
