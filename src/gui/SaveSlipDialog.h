#pragma once

#include "slips/SlipBook.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QSpinBox;

// TForm9 "Schein speichern": the first draw a new slip plays (DateEdit9, only the game's draw days) and how
// many draws (SpinEdit9, 1 to 52, fewer before the end of a game), with its stake (Label91); "OK" (BitBtn91)
// and "Abbrechen" (BitBtn92).
class SaveSlipDialog : public QDialog {
    Q_OBJECT
public:
    SaveSlipDialog(const Game& game, int tips, const QDate& firstDraw, QWidget* parent = nullptr);
    slips::Period period() const;
    void accept() override;

private:
    void showStake();

    const Game& game_;
    int tips_;
    QDateEdit* firstDraw_;
    QSpinBox* draws_;
    QLabel* stake_;
};

// A fresh dialog for this one slip: its period, or nothing when cancelled.
std::optional<slips::Period> askForSlipPeriod(const Game& game, int tips, const QDate& firstDraw,
                                              QWidget* parent = nullptr);
