#include "gui/SaveSlipDialog.h"

#include "platform/AppError.h"
#include "platform/Dates.h"
#include "platform/Ui.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextCharFormat>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A date edit whose steps go from draw day to draw day of the game, and whose calendar greys the other days
// and takes a click on one as the next draw day.
class DrawDayEdit : public QDateEdit {
public:
    DrawDayEdit(const Game& game, const QDate& day, QWidget* parent) : QDateEdit(day, parent), game_(game) {
        setCalendarPopup(true);
        QCalendarWidget* calendar = calendarWidget();
        connect(calendar, &QCalendarWidget::currentPageChanged, this,
                [this](int year, int month) { grey(year, month); });
        // After the edit took the day clicked.
        for (auto signal : {&QCalendarWidget::clicked, &QCalendarWidget::activated})
            connect(
                calendar, signal, this, [this] { setDate(drawDayNear(date(), 1)); }, Qt::QueuedConnection);
        grey(day.year(), day.month());
    }

    void stepBy(int steps) override {
        QDate d = date();
        for (int i = 0; i < std::abs(steps); ++i) {
            const QDate next = drawDayNear(steps > 0 ? d.addDays(1) : d.addDays(-1), steps > 0 ? 1 : -1);
            if (next == d) break;
            d = next;
        }
        setDate(d);
    }

private:
    // The draw day on or after the day (direction 1) or on or before it (-1), within the edit's range; the
    // nearest the other way where there is none.
    QDate drawDayNear(const QDate& day, int direction) const {
        const QDate ahead = direction > 0 ? game_.nextDrawDay(day) : game_.previousDrawDay(day);
        if (ahead.isValid() && ahead >= minimumDate() && ahead <= maximumDate()) return ahead;
        const QDate back = direction > 0 ? game_.previousDrawDay(day) : game_.nextDrawDay(day);
        return back.isValid() && back >= minimumDate() && back <= maximumDate() ? back : date();
    }

    void grey(int year, int month) {
        QTextCharFormat other;
        other.setForeground(Qt::gray);
        const QDate first(year, month, 1);
        // The page shows some days of the months beside it too.
        for (QDate d = first.addDays(-7); d < first.addMonths(1).addDays(14); d = d.addDays(1))
            calendarWidget()->setDateTextFormat(d, game_.isDrawDay(d) && game_.playedOn(d) ? QTextCharFormat()
                                                                                           : other);
    }

    const Game& game_;
};

int tipLines(const QString& text) {
    static const QRegularExpression digit(QStringLiteral("\\d"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    return int(std::count_if(lines.begin(), lines.end(), [](const QString& l) { return l.contains(digit); }));
}

} // namespace

SaveSlipDialog::SaveSlipDialog(const Game& game, const slips::SlipForm& offered, bool changeTips,
                               QWidget* parent)
    : QDialog(parent), game_(game), form_(offered) {
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(changeTips ? QStringLiteral("Schein ändern") : QStringLiteral("Schein speichern"));

    firstDraw_ = new DrawDayEdit(game, offered.period.firstDraw, this);
    firstDraw_->setObjectName(QStringLiteral("DateEdit9"));
    firstDraw_->setDisplayFormat(dates::shortDateFormat());
    firstDraw_->setMinimumDate(game.firstDraw);
    if (game.lastDraw.isValid()) firstDraw_->setMaximumDate(game.lastDraw);
    draws_ = new QSpinBox(this);
    draws_->setObjectName(QStringLiteral("SpinEdit9"));
    draws_->setRange(1, Slip::MaxDraws);
    stake_ = new QLabel(this);
    stake_->setObjectName(QStringLiteral("Label91"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Erste Ziehung:"), firstDraw_);
    form->addRow(QStringLiteral("Anzahl Ziehungen:"), draws_);
    if (changeTips) {
        tips_ = new QPlainTextEdit(slips::tipsText(game, offered.tips), this);
        tips_->setObjectName(QStringLiteral("Memo9"));
        tips_->setToolTip(game.extra().mainDrum
                              ? QStringLiteral("Ein Tipp je Zeile: seine %1 Zahlen").arg(game.numbers.drawn)
                              : QStringLiteral("Ein Tipp je Zeile: seine %1 Zahlen, dann seine %2")
                                    .arg(game.numbers.drawn)
                                    .arg(game.extra().name));
        form->addRow(QStringLiteral("Tipps:"), tips_);
        connect(tips_, &QPlainTextEdit::textChanged, this, [this] { showStake(); });
    }
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
    draws_->setValue(offered.period.draws);
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
    const int tips = tips_ ? tipLines(tips_->toPlainText()) : int(form_.tips.size());
    stake_->setText(stakeText(tips, draws_->value(), game_.tipPriceCents));
}

void SaveSlipDialog::accept() {
    // Take over what stands in the fields even when the focus has not left them.
    firstDraw_->interpretText();
    draws_->interpretText();
    slips::SlipForm form{{firstDraw_->date(), draws_->value()}, form_.tips};
    QString problem = slips::periodProblem(game_, form.period);
    if (problem.isEmpty() && tips_) {
        try {
            form.tips = slips::tipsOfText(game_, tips_->toPlainText());
        } catch (const AppError& e) {
            problem = e.message();
        }
    }
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, QString::fromLatin1(AppTitle), problem);
        return;
    }
    form_ = form;
    QDialog::accept();
}

std::optional<slips::SlipForm> askForSlip(const Game& game, const slips::SlipForm& offered, bool changeTips,
                                          QWidget* parent) {
    SaveSlipDialog dialog(game, offered, changeTips, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.form();
}
