#include "gui/DrawEntryDialog.h"

#include "import/DrawEntry.h"
#include "platform/Dates.h"
#include "platform/Ui.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* numberSpinner(int index, int minimum, int maximum, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QStringLiteral("UpDown%1").arg(index));
    spin->setRange(minimum, maximum);
    spin->setAlignment(Qt::AlignRight);
    if (auto* edit = spin->findChild<QLineEdit*>()) edit->setObjectName(QStringLiteral("Edit%1").arg(index));
    return spin;
}

} // namespace

DrawEntryDialog::DrawEntryDialog(const Game& game, QWidget* parent) : QDialog(parent), game_(game) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Zahlen der Ziehung eingeben"));
    setFixedSize(465 + 45 * (game.extraCount() - 1), 120);

    date_ = new QDateEdit(this);
    date_->setObjectName(QStringLiteral("DateTimePicker1"));
    date_->setCalendarPopup(true);
    date_->setMinimumDate(dates::earliestDate());
    date_->setDisplayFormat(dates::shortDateFormat());

    // The numbers and the further drums' in the game's ranges; S is a stored byte carried over unseen.
    const int drawn = game.numbers.drawn;
    for (int i = 0; i < drawn; ++i) numbers_.push_back(numberSpinner(i + 1, 1, game.numbers.highest(), this));
    for (int i = 0; i < game.extraCount(); ++i) {
        const Drum& drum = game.extraDrumAt(i);
        extras_.push_back(numberSpinner(drawn + 1 + i, drum.lowest, drum.highest(), this));
    }
    superNumber_ = numberSpinner(drawn + game.extraCount() + 1, 0, 255, this);
    date_->setAccessibleName(QStringLiteral("Datum der Ziehung"));
    date_->findChild<QLineEdit*>()->setAccessibleName(date_->accessibleName());
    const auto name = [](QSpinBox* spin, const QString& text) {
        spin->setAccessibleName(text);
        spin->findChild<QLineEdit*>()->setAccessibleName(text);
    };
    for (int i = 0; i < game.numbers.drawn; ++i)
        name(numbers_[static_cast<std::size_t>(i)], QStringLiteral("%1. Zahl").arg(i + 1));
    for (int i = 0; i < game.extraCount(); ++i)
        name(extras_[std::size_t(i)],
             game.extraCount() > 1 ? QStringLiteral("%1. %2").arg(i + 1).arg(game.extraDrumAt(i).oneName)
                                   : game.extraDrumAt(i).name);
    name(superNumber_, game.hasSuperNumber ? game.superNumber.name : QStringLiteral("Superzahl"));

    auto* zLabel = new QLabel(game.extra().captionMark + QLatin1Char(':'), this);
    QFont bold = zLabel->font();
    bold.setBold(true);
    zLabel->setFont(bold);
    QPalette red = zLabel->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    zLabel->setPalette(red);
    auto* sLabel = new QLabel(QStringLiteral("S:"), this);
    sLabel->setVisible(false);
    superNumber_->setVisible(false);

    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(date_);
    for (QSpinBox* spin : numbers_) row->addWidget(spin);
    row->addSpacing(4);
    row->addWidget(zLabel);
    for (QSpinBox* spin : extras_) row->addWidget(spin);
    row->addWidget(sLabel);
    row->addWidget(superNumber_);

    auto* abort = new QPushButton(QStringLiteral("Abbrechen"), this);
    abort->setObjectName(QStringLiteral("BitBtn1"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn2"));
    ok->setDefault(true);
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(abort);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch();
    layout->addLayout(buttons);
}

void DrawEntryDialog::setDraw(const Draw& draw) {
    date_->setDate(dates::fromDayNumber(draw.date));
    for (std::size_t i = 0; i < numbers_.size(); ++i)
        numbers_[i]->setValue(int(i) < draw.numbers.size() ? draw.numbers[i] : 0);
    for (std::size_t i = 0; i < extras_.size(); ++i)
        extras_[i]->setValue(int(i) < draw.extras.size() ? draw.extras[i] : 0);
    superNumber_->setValue(draw.superNumber);
}

Draw DrawEntryDialog::draw() const {
    Draw r;
    r.date = dates::toDayNumber(date_->date());
    for (QSpinBox* spin : numbers_) r.numbers.push_back(spin->value());
    for (QSpinBox* spin : extras_) r.extras.push_back(spin->value());
    r.superNumber = superNumber_->value();
    return r;
}

void DrawEntryDialog::accept() {
    // Take over what stands in the edits even when the focus has not left them.
    for (QSpinBox* spin : numbers_) spin->interpretText();
    for (QSpinBox* spin : extras_) spin->interpretText();
    superNumber_->interpretText();
    date_->interpretText();
    const QString problem = drawEntryProblem(draw(), game_);
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, QString::fromLatin1(AppTitle), problem);
        return;
    }
    QDialog::accept();
}

std::optional<Draw> askForDraw(const Draw& preset, const Game& game, QWidget* parent) {
    DrawEntryDialog dialog(game, parent);
    dialog.setDraw(preset);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.draw();
}
