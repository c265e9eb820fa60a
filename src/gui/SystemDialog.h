#pragma once

#include "generator/SystemPlay.h"

#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
struct Game;

// What the dialog's buttons do with the system's tips; run() carries out an operation as the window does
// (its failures said there).
struct SystemActions {
    std::function<void(const std::function<void()>&)> run;
    std::function<QString(const std::vector<Tip>&)> toGrid; // what it says of the tips that did not fit
    std::function<void(const std::vector<Tip>&)> toSlip;
    std::function<void(const std::vector<Tip>&)> asText;
    std::function<void(const std::vector<Tip>&)> hitBalance;
};

// The fields the dialog keeps between its runs.
struct SystemFields {
    QString numbers, bank, lucky = QStringLiteral("1");
    int kind = 0; // the index of ComboBox10
};

// TForm10 "Systemspiel": the numbers (Edit140), the Bankzahlen (Edit141), the kind (ComboBox10), the
// Glückszahlen where the game gives each tip one (Edit142); "Berechnen" (BitBtn101) fills SystemGrid and says
// count, cost and guarantee (Label100), with a progress bar (ProgressBar10) and "Abbrechen" (BitBtn107) while
// a shortened system is searched. "In das Raster" (BitBtn102), "In Meine Scheine" (BitBtn103), "Als Text"
// (BitBtn104), "Trefferbilanz" (BitBtn105), "Schliessen" (BitBtn106).
class SystemDialog : public QDialog {
    Q_OBJECT
public:
    SystemDialog(const Game& game, const SystemFields& fields, SystemActions actions,
                 QWidget* parent = nullptr);
    SystemFields fields() const;
    const std::vector<Tip>& tips() const { return tips_; }

private:
    void calculate();
    void show(const systemplay::System& system);

    const Game& game_;
    SystemActions actions_;
    std::vector<Tip> tips_;
    bool cancelled_ = false;
    QLineEdit* numbers_;
    QLineEdit* bank_;
    QLineEdit* lucky_;
    QComboBox* kind_;
    QTableWidget* grid_;
    QLabel* summary_;
    QProgressBar* progress_;
    QPushButton* calculate_;
    QPushButton* cancel_;
    std::vector<QPushButton*> uses_; // what needs tips
};
