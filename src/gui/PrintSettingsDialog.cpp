#include "gui/PrintSettingsDialog.h"

#include "output/SlipReport.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

namespace {

// The window is 332 x 201 with its frame; these are the client area's measures inside it.
constexpr int ClientWidth = 324;
constexpr int ClientHeight = 174;
constexpr int PanelHeight = 41;

template <typename W> W* place(W* widget, const QString& name, int x, int y) {
    widget->setObjectName(name);
    widget->move(x, y);
    widget->adjustSize();
    return widget;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, int x, int y) {
    return place(new QCheckBox(caption, parent), name, x, y);
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, int x, int y) {
    return place(new QLabel(caption, parent), name, x, y);
}

QSpinBox* offsetBox(QWidget* parent, const QString& name, const QString& editName, int x, int y,
                    const QString& spokenName) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->findChild<QLineEdit*>()->setObjectName(editName);
    box->setAccessibleName(spokenName);
    box->findChild<QLineEdit*>()->setAccessibleName(spokenName);
    // The box refuses typed values outside 0 .. 100 and clamps presets to that range.
    box->setRange(0, 100);
    box->setSingleStep(1);
    box->setValue(0);
    box->setGeometry(x, y, 49, 21);
    return box;
}

// Buttons are 75 x 25 unless the caption with its icon needs more (the bold font widens "Abbrechen").
void fitButton(QPushButton* button, int x) {
    button->setGeometry(QRect(QPoint(x, 8), QSize(75, 25).expandedTo(button->sizeHint())));
}

} // namespace

PrintSettingsDialog::PrintSettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Drucckeeinstellungen für den Lottoschein"));
    setFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
    setFixedSize(ClientWidth, ClientHeight);

    saturday_ = checkBox(this, QStringLiteral("CheckBox1"), QStringLiteral("Samstag"), 24, 8);
    wednesday_ = checkBox(this, QStringLiteral("CheckBox2"), QStringLiteral("Mittwoch"), 144, 8);
    joker_ = checkBox(this, QStringLiteral("CheckBox3"), QStringLiteral("Joker"), 24, 40);
    extraJoker_ = checkBox(this, QStringLiteral("CheckBox4"), QStringLiteral("Extra-Joker"), 144, 40);
    showSlip_ =
        checkBox(this, QStringLiteral("CheckBox5"), QStringLiteral("Schein zum Test mit anzeigen"), 24, 72);
    label(this, QStringLiteral("Label1"), QStringLiteral("Oben:"), 24, 105);
    top_ = offsetBox(this, QStringLiteral("UpDown1"), QStringLiteral("Edit1"), 64, 100,
                     QStringLiteral("Abstand oben"));
    label(this, QStringLiteral("Label2"), QStringLiteral("Links"), 120, 105);
    left_ = offsetBox(this, QStringLiteral("UpDown2"), QStringLiteral("Edit2"), 160, 100,
                      QStringLiteral("Abstand links"));
    label(this, QStringLiteral("Label3"), QStringLiteral("Kosten:"), 248, 88);
    price_ = label(this, QStringLiteral("Label4"), QStringLiteral("Kosten:"), 248, 105);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(0, ClientHeight - PanelHeight, ClientWidth, PanelHeight);
    auto* abort = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                  QStringLiteral("Abbrechen"), panel);
    abort->setObjectName(QStringLiteral("BitBtn1"));
    fitButton(abort, 40);
    abort->setAutoDefault(false);
    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), panel);
    ok->setObjectName(QStringLiteral("BitBtn2"));
    fitButton(ok, 184);
    ok->setDefault(true);
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // The price follows every change of the four game boxes, by the user or by the caller's presetting.
    for (QCheckBox* box : {saturday_, wednesday_, joker_, extraJoker_})
        connect(box, &QCheckBox::toggled, this, &PrintSettingsDialog::updatePrice);
}

void PrintSettingsDialog::setOffsets(int top, int left) {
    top_->setValue(top);
    left_->setValue(left);
}

void PrintSettingsDialog::setDays(bool saturday, bool wednesday) {
    saturday_->setChecked(saturday);
    wednesday_->setChecked(wednesday);
}

void PrintSettingsDialog::setSlipTipCount(int count) {
    slipTipCount_ = count;
}

void PrintSettingsDialog::setPriceText(const QString& text) {
    price_->setText(text);
    price_->adjustSize();
}

void PrintSettingsDialog::setSlipPicture(const QString& folder, bool found) {
    // Without the picture the box would do nothing: it is greyed and says where it is looked for.
    showSlip_->setEnabled(found);
    showSlip_->setToolTip(found
                              ? QString()
                              : QStringLiteral("Das Bild des Scheins (\"%1\") liegt nicht im Ordner \"%2\".")
                                    .arg(QLatin1String(slip::PictureFile), folder));
}

bool PrintSettingsDialog::runModal() {
    return exec() == QDialog::Accepted;
}

SlipChoice PrintSettingsDialog::choice() const {
    SlipChoice c;
    c.saturday = saturday_->isChecked();
    c.wednesday = wednesday_->isChecked();
    c.joker = joker_->isChecked();
    c.extraJoker = extraJoker_->isChecked();
    c.showSlip = showSlip_->isChecked();
    c.top = top_->value();
    c.left = left_->value();
    return c;
}

void PrintSettingsDialog::updatePrice() {
    setPriceText(formatPrice(slipPrice(slipTipCount_, choice())));
}
