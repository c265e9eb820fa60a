#pragma once

#include "game/Tip.h"
#include "generator/DrawSteps.h"

#include <QString>

class Controls;
struct Session;

// The draw caption: "ddd dd.MM.yy" with the locale's weekday name, the separator, each of the six
// numbers after two blanks, then the extra number after its mark (" Z:7").
QString drawCaption(const Draw& draw, const Game& game, const QString& separator = QStringLiteral("  "));

// Hit display of one row's hit label: HitCount, red from the hits of the lowest prize rank on (3), " + Z"
// when the extra number counted.
void showHits(Controls& controls, const QString& hitLabel, const TipCheck& check, const Game& game);

// Komplettcheck: every complete row is evaluated against the CurrentDraw (digit sum, sorted rewrite,
// hits, hit sound). Nothing while the ReadyFlag is off.
void komplettcheck(Session& session);

// "Tipps in DB suchen" (SpeedButton4): rows 1..8 against every draw since the from-date, with a
// message for each draw on which a row reaches the threshold the user gives; "Abbrechen" there ends the
// search, cancelling the threshold starts none. The status bar says what was compared and found.
void searchTipsInArchive(Session& session);

// SpeedButton5: the first draw on or after the date of DateTimePicker1, else the newest.
void showDrawForDate(Session& session);
// SpeedButton6 / SpeedButton7: previous and next draw, skipping the weekdays the boxes exclude. When no
// draw is left to rest on, nothing changes.
void previousDraw(Session& session);
void nextDraw(Session& session);

// The navigator for the tip search.
class SessionDrawSteps : public DrawSteps {
public:
    explicit SessionDrawSteps(Session& session) : session_(session) {}
    void showDrawForDate() override { ::showDrawForDate(session_); }
    void previousDraw() override { ::previousDraw(session_); }
    void nextDraw() override { ::nextDraw(session_); }
    void komplettcheck() override { ::komplettcheck(session_); }

private:
    Session& session_;
};
