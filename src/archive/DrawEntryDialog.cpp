#include "archive/DrawEntryDialog.h"

#include "archive/DrawEntry.h"
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
    setFixedSize(465, 120);

    date_ = new QDateEdit(this);
    date_->setObjectName(QStringLiteral("DateTimePicker1"));
    date_->setCalendarPopup(true);
    date_->setMinimumDate(dates::earliestDate());
    date_->setDisplayFormat(dates::shortDateFormat());

    // The six numbers and Z in the game's ranges; S is a stored byte carried over unseen.
    for (int i = 0; i < 6; ++i)
        numbers_[static_cast<std::size_t>(i)] = numberSpinner(i + 1, 1, game.highest, this);
    numbers_[6] = numberSpinner(7, game.extra.lowest, game.extra.highest, this);
    numbers_[7] = numberSpinner(8, 0, 255, this);
    date_->setAccessibleName(QStringLiteral("Datum der Ziehung"));
    date_->findChild<QLineEdit*>()->setAccessibleName(date_->accessibleName());
    for (int i = 0; i < 8; ++i) {
        const QString name = i < 6 ? QStringLiteral("%1. Zahl").arg(i + 1)
                                   : (i == 6 ? game.extra.name : QStringLiteral("Superzahl"));
        numbers_[static_cast<std::size_t>(i)]->setAccessibleName(name);
        numbers_[static_cast<std::size_t>(i)]->findChild<QLineEdit*>()->setAccessibleName(name);
    }

    auto* zLabel = new QLabel(game.extra.captionMark + QLatin1Char(':'), this);
    QFont bold = zLabel->font();
    bold.setBold(true);
    zLabel->setFont(bold);
    QPalette red = zLabel->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    zLabel->setPalette(red);
    auto* sLabel = new QLabel(QStringLiteral("S:"), this);
    sLabel->setVisible(false);
    numbers_[7]->setVisible(false);

    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(date_);
    for (int i = 0; i < 6; ++i) row->addWidget(numbers_[static_cast<std::size_t>(i)]);
    row->addSpacing(4);
    row->addWidget(zLabel);
    row->addWidget(numbers_[6]);
    row->addWidget(sLabel);
    row->addWidget(numbers_[7]);

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

void DrawEntryDialog::setDraw(const DrawRecord& draw) {
    date_->setDate(dates::fromDayNumber(draw.datum));
    for (int i = 0; i < 6; ++i)
        numbers_[static_cast<std::size_t>(i)]->setValue(draw.zahl[static_cast<std::size_t>(i)]);
    numbers_[6]->setValue(draw.zz);
    numbers_[7]->setValue(draw.sz);
}

DrawRecord DrawEntryDialog::draw() const {
    DrawRecord r;
    r.datum = dates::toDayNumber(date_->date());
    for (int i = 0; i < 6; ++i)
        r.zahl[static_cast<std::size_t>(i)] =
            static_cast<quint8>(numbers_[static_cast<std::size_t>(i)]->value());
    r.zz = static_cast<quint8>(numbers_[6]->value());
    r.sz = static_cast<quint8>(numbers_[7]->value());
    return r;
}

void DrawEntryDialog::accept() {
    // Take over what stands in the edits even when the focus has not left them.
    for (QSpinBox* spin : numbers_) spin->interpretText();
    date_->interpretText();
    const QString problem = drawEntryProblem(draw(), game_);
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, QString::fromLatin1(AppTitle), problem);
        return;
    }
    QDialog::accept();
}

std::optional<DrawRecord> askForDraw(const DrawRecord& preset, const Game& game, QWidget* parent) {
    DrawEntryDialog dialog(game, parent);
    dialog.setDraw(preset);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.draw();
}
