#pragma once

#include "evaluation/HitBalance.h"

#include <QDialog>

class QTableWidget;

// TForm7 "Trefferbilanz der Tipps": the balance as a read-only table (StringGrid1) under its caption,
// with "Kopieren" (the table as tab-separated text to the clipboard) and "Schließen".
class HitBalanceDialog : public QDialog {
    Q_OBJECT
public:
    explicit HitBalanceDialog(const HitBalance& balance, QWidget* parent = nullptr);

private:
    HitBalance balance_;
};

// Shows the balance modally until the user closes it.
void showHitBalance(const HitBalance& balance, QWidget* parent = nullptr);
