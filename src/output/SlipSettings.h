#pragma once

#include <QLocale>
#include <QString>

// What the print settings dialog holds: the draw days, the additional games, the test display with the
// slip picture and the offsets of the first tip field (report pixels).
struct SlipChoice {
    bool saturday = false;
    bool wednesday = false;
    bool joker = false;
    bool extraJoker = false;
    bool showSlip = false;
    int top = 0;
    int left = 0;
};

// The print settings dialog as the slip printing drives it. The dialog keeps the game boxes and the test
// display from one opening to the next; the caller presets the days and offsets each time.
class SlipSettingsPrompt {
public:
    virtual ~SlipSettingsPrompt() = default;
    virtual void setOffsets(int top, int left) = 0;
    virtual void setDays(bool saturday, bool wednesday) = 0;
    // SlipTipCount: the number of tips to be played, for the price.
    virtual void setSlipTipCount(int count) = 0;
    virtual void setPriceText(const QString& text) = 0;
    // Where the picture of the slip is looked for, and whether it is there to be shown under the marks.
    virtual void setSlipPicture(const QString& folder, bool found) = 0;
    // Opens the dialog modally; true when it is closed with OK.
    virtual bool runModal() = 0;
    virtual SlipChoice choice() const = 0;
};

// 1.50 per tip, 2.00 each for Joker and Extra-Joker, all doubled for both draws, nothing without a day.
double slipPrice(int slipTipCount, bool saturday, bool wednesday, bool joker, bool extraJoker);
double slipPrice(int slipTipCount, const SlipChoice& choice);
// The amount in the locale's currency format with two decimals.
QString formatPrice(double price, const QLocale& locale = QLocale());
