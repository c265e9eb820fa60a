#pragma once

#include "output/SlipSettings.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QSpinBox;

// TForm5, "Drucckeeinstellungen für den Lottoschein": days, games, offsets and test display for the slip,
// with the price of the chosen play. Created once and reused for the whole run, so the game boxes and the
// test display keep their state between openings.
class PrintSettingsDialog : public QDialog, public SlipSettingsPrompt {
    Q_OBJECT
public:
    explicit PrintSettingsDialog(QWidget* parent = nullptr);

    void setOffsets(int top, int left) override;
    void setDays(bool saturday, bool wednesday) override;
    void setSlipTipCount(int count) override;
    void setPriceText(const QString& text) override;
    void setSlipPicture(const QString& folder, bool found) override;
    bool runModal() override;
    SlipChoice choice() const override;

    int slipTipCount() const { return slipTipCount_; }

private:
    void updatePrice();

    QCheckBox* saturday_;
    QCheckBox* wednesday_;
    QCheckBox* joker_;
    QCheckBox* extraJoker_;
    QCheckBox* showSlip_;
    QSpinBox* top_;
    QSpinBox* left_;
    QLabel* price_;
    int slipTipCount_ = 0;
};
