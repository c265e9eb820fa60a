#pragma once

// The draw navigator as the tip search uses it; the evaluation implements it.
class DrawSteps {
public:
    virtual ~DrawSteps() = default;
    // The draw for the date of DateTimePicker1 (shown and evaluated).
    virtual void showDrawForDate() = 0;
    virtual void previousDraw() = 0;
    virtual void nextDraw() = 0;
    // The evaluation of the whole grid against the CurrentDraw.
    virtual void komplettcheck() = 0;
};
