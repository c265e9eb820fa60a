#include "gui/SaveSlipDialog.h"

#include "platform/Dates.h"
#include "platform/Ui.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

SaveSlipDialog::SaveSlipDialog(const Game& game, int tips, const QDate& firstDraw, QWidget* parent)
    : QDialog(parent), game_(game), tips_(tips) {
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(QStringLiteral("Schein speichern"));

    firstDraw_ = new QDateEdit(firstDraw, this);
    firstDraw_->setObjectName(QStringLiteral("DateEdit9"));
    firstDraw_->setCalendarPopup(true);
    firstDraw_->setDisplayFormat(dates::shortDateFormat());
    firstDraw_->setMinimumDate(game.firstDraw);
    if (game.lastDraw.isValid()) firstDraw_->setMaximumDate(game.lastDraw);
    draws_ = new QSpinBox(this);
    draws_->setObjectName(QStringLiteral("SpinEdit9"));
    draws_->setRange(1, Slip::MaxDraws);
    draws_->setValue(1);
    stake_ = new QLabel(this);
    stake_->setObjectName(QStringLiteral("Label91"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Erste Ziehung:"), firstDraw_);
    form->addRow(QStringLiteral("Anzahl Ziehungen:"), draws_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn91"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("BitBtn92"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(draws_, &QSpinBox::valueChanged, this, [this] { showStake(); });
    // A game that ended plays no draws after its last.
    const auto limitDraws = [this] {
        draws_->setMaximum(std::max(1, Slip::drawsFrom(game_, firstDraw_->date())));
    };
    connect(firstDraw_, &QDateEdit::dateChanged, this, limitDraws);
    limitDraws();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancel);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(stake_);
    layout->addLayout(buttons);
    showStake();
}

void SaveSlipDialog::showStake() {
    stake_->setText(stakeText(tips_, draws_->value(), game_.tipPriceCents));
}

slips::Period SaveSlipDialog::period() const {
    return {firstDraw_->date(), draws_->value()};
}

void SaveSlipDialog::accept() {
    // Take over what stands in the fields even when the focus has not left them.
    firstDraw_->interpretText();
    draws_->interpretText();
    if (const QString problem = slips::periodProblem(game_, period()); !problem.isEmpty()) {
        QMessageBox::warning(this, QString::fromLatin1(AppTitle), problem);
        return;
    }
    QDialog::accept();
}

std::optional<slips::Period> askForSlipPeriod(const Game& game, int tips, const QDate& firstDraw,
                                              QWidget* parent) {
    SaveSlipDialog dialog(game, tips, firstDraw, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.period();
}
