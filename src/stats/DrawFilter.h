#pragma once

#include "game/Draw.h"

class Controls;

// Which draws the statistics count: on or after the from-date (DateTimePicker2) and a Saturday with
// CheckBox16 checked or a Wednesday with CheckBox17 checked. Read from the controls when an operation
// starts; a draw on any other weekday never passes.
class DrawFilter {
public:
    explicit DrawFilter(const Controls& controls);
    DrawFilter(double fromDate, bool saturdays, bool wednesdays)
        : fromDate_(fromDate), saturdays_(saturdays), wednesdays_(wednesdays) {}

    // The form defaults: from 9 October 1955, both weekdays.
    static void installDefaults(Controls& controls);

    bool passes(const Draw& record) const;
    bool passesWeekday(double date) const;
    double fromDate() const { return fromDate_; }
    bool saturdays() const { return saturdays_; }
    bool wednesdays() const { return wednesdays_; }

private:
    double fromDate_;
    bool saturdays_;
    bool wednesdays_;
};
