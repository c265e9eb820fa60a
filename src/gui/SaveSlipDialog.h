#pragma once

#include "slips/SlipBook.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QSpinBox;

// TForm9 "Schein speichern" / "Schein ändern": the first draw a slip plays (DateEdit9, stepping and picked in
// its calendar from draw day to draw day of the game) and how many draws (SpinEdit9, 1 to 52, fewer before
// the end of a game), with its stake (Label91); a slip that is changed shows its tips too, one a line
// (Memo9). "OK" (BitBtn91) refuses what the game cannot play; "Abbrechen" (BitBtn92).
class SaveSlipDialog : public QDialog {
    Q_OBJECT
public:
    SaveSlipDialog(const Game& game, const slips::SlipForm& offered, bool changeTips,
                   QWidget* parent = nullptr);
    // The period and the tips; those written in Memo9 once OK took them.
    slips::SlipForm form() const { return form_; }
    void accept() override;

private:
    void showStake();

    const Game& game_;
    slips::SlipForm form_;
    QDateEdit* firstDraw_;
    QSpinBox* draws_;
    QLabel* stake_;
    QPlainTextEdit* tips_ = nullptr; // only for a slip that is changed
};

// A fresh dialog for this one slip: what it says, or nothing when cancelled.
std::optional<slips::SlipForm> askForSlip(const Game& game, const slips::SlipForm& offered, bool changeTips,
                                          QWidget* parent = nullptr);
