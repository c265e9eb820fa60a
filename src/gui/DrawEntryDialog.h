#pragma once

#include "game/Draw.h"
#include "game/Game.h"

#include <QDialog>
#include <optional>
#include <vector>

class QDateEdit;
class QSpinBox;
class QPushButton;

// TForm3 "Zahlen der Ziehung eingeben": the date, the game's numbers (six of "6 aus 45"), the further drums'
// (Z) and the hidden S of one draw. OK refuses a draw the game cannot have, says why, and keeps the values as
// typed.
class DrawEntryDialog : public QDialog {
    Q_OBJECT
public:
    explicit DrawEntryDialog(const Game& game, QWidget* parent = nullptr);

    void setDraw(const Draw& draw);
    // The date and the spinners' positions, one byte each, as entered (not sorted).
    Draw draw() const;

    void accept() override;

private:
    const Game& game_;
    QDateEdit* date_;
    std::vector<QSpinBox*> numbers_; // the game's numbers
    std::vector<QSpinBox*> extras_;  // the further drums', drum after drum
    QSpinBox* superNumber_ = nullptr;
};

// A fresh dialog for this one entry: the confirmed draw, or nothing when cancelled.
std::optional<Draw> askForDraw(const Draw& preset, const Game& game, QWidget* parent = nullptr);
