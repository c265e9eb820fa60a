#pragma once

#include "archive/DrawRecord.h"
#include "archive/Game.h"

#include <QDialog>
#include <array>
#include <optional>

class QDateEdit;
class QSpinBox;
class QPushButton;

// TForm3 "Zahlen der Ziehung eingeben": the date, the six numbers, Z and the hidden S of one draw. OK
// refuses a draw with two equal numbers among the six and Z, says why, and keeps the values as typed.
class DrawEntryDialog : public QDialog {
    Q_OBJECT
public:
    explicit DrawEntryDialog(const Game& game, QWidget* parent = nullptr);

    void setDraw(const DrawRecord& draw);
    // The date and the spinners' positions, one byte each, as entered (not sorted).
    DrawRecord draw() const;

    void accept() override;

private:
    const Game& game_;
    QDateEdit* date_;
    std::array<QSpinBox*, 8> numbers_{};
};

// A fresh dialog for this one entry: the confirmed draw, or nothing when cancelled.
std::optional<DrawRecord> askForDraw(const DrawRecord& preset, const Game& game, QWidget* parent = nullptr);
