#pragma once

#include "game/Draw.h"
#include "game/Game.h"

class Controls;

// Which draws the statistics count: on or after the from-date (DateTimePicker2) and on the game's first draw
// day with CheckBox16 checked ("Samstag Ziehungen" of the Swiss games) or on its second with CheckBox17
// checked. Read from the controls when an operation starts; a draw on any other weekday never passes.
class DrawFilter {
public:
    DrawFilter(const Controls& controls, const Game& game);

    // The form defaults: from 9 October 1955, both weekdays.
    static void installDefaults(Controls& controls);
    // The check boxes of the draw days, in the order of Game::drawDays.
    static QString dayBoxName(int index);

    bool passes(const Draw& record) const;
    bool passesWeekday(double date) const;
    double fromDate() const { return fromDate_; }

private:
    double fromDate_;
    int weekdays_[2];
};
