#include "gui/SystemDialog.h"

#include "game/Game.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

SystemDialog::SystemDialog(const Game& game, const SystemFields& fields, SystemActions actions,
                           QWidget* parent)
    : QDialog(parent), game_(game), actions_(std::move(actions)) {
    setObjectName(QStringLiteral("TForm10"));
    setWindowTitle(QStringLiteral("Systemspiel"));
    const auto edit = [this](const char* name, const QString& text, const QString& hint) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QLatin1String(name));
        e->setToolTip(hint);
        return e;
    };
    numbers_ = edit("Edit140", fields.numbers,
                    QStringLiteral("%1 bis %2 Ihrer Zahlen, getrennt durch Leerzeichen oder Kommas")
                        .arg(systemplay::FewestNumbers)
                        .arg(systemplay::MostNumbers));
    bank_ = edit(
        "Edit141", fields.bank,
        QStringLiteral("0 bis %1 Bankzahlen: sie stehen in jedem Tipp").arg(systemplay::MostBankNumbers));
    lucky_ =
        edit("Edit142", fields.lucky, QStringLiteral("Jeder Tipp wird mit jeder dieser Zahlen gespielt"));
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("ComboBox10"));
    kind_->addItems({QStringLiteral("Vollsystem"), QStringLiteral("gekürzt: 3 wenn 3"),
                     QStringLiteral("gekürzt: 4 wenn 4"), QStringLiteral("gekürzt: 5 wenn 5")});
    kind_->setCurrentIndex(fields.kind);
    auto* honest =
        new QLabel(QStringLiteral("Ein System erhöht die Gewinnchance genau so wie die gleiche Zahl "
                                  "einzelner Tipps; die Garantie gilt nur, wenn genug gezogene Zahlen "
                                  "unter Ihren Zahlen sind."),
                   this);
    honest->setObjectName(QStringLiteral("Label101"));
    honest->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Zahlen:"), numbers_);
    form->addRow(QStringLiteral("Bankzahlen:"), bank_);
    form->addRow(QStringLiteral("Art:"), kind_);
    form->addRow(QString(), honest);
    const bool ownExtra = game.ownExtras();
    if (ownExtra) form->addRow(game.tipExtraDrumAt(0).plural + QLatin1Char(':'), lucky_);
    lucky_->setVisible(ownExtra);

    grid_ = new QTableWidget(0, game.numbers.drawn + (ownExtra ? 1 : 0), this);
    grid_->setObjectName(QStringLiteral("SystemGrid"));
    QStringList header;
    for (int c = 1; c <= game.numbers.drawn; ++c) header << QStringLiteral("%1. Zahl").arg(c);
    if (ownExtra) header << game.tipExtraDrumAt(0).oneName;
    grid_->setHorizontalHeaderLabels(header);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("Label100"));
    summary_->setWordWrap(true);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar10"));
    progress_->setRange(0, 100);
    progress_->hide();

    const auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    auto* calculate = calculate_ = button("BitBtn101", QStringLiteral("Berechnen"));
    cancel_ = button("BitBtn107", QStringLiteral("Abbrechen"));
    cancel_->hide();
    auto* toGrid = button("BitBtn102", QStringLiteral("In das Raster"));
    auto* toSlip = button("BitBtn103", QStringLiteral("In Meine Scheine"));
    auto* asText = button("BitBtn104", QStringLiteral("Als Text"));
    auto* balance = button("BitBtn105", QStringLiteral("Trefferbilanz"));
    auto* close = button("BitBtn106", QStringLiteral("Schliessen"));
    uses_ = {toGrid, toSlip, asText, balance};
    for (QPushButton* b : uses_) b->setEnabled(false);
    calculate->setDefault(true);
    connect(calculate, &QPushButton::clicked, this, [this] { actions_.run([this] { this->calculate(); }); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    connect(toGrid, &QPushButton::clicked, this, [this] {
        actions_.run(
            [this] { summary_->setText(summary_->text() + QLatin1Char('\n') + actions_.toGrid(tips_)); });
    });
    connect(toSlip, &QPushButton::clicked, this,
            [this] { actions_.run([this] { actions_.toSlip(tips_); }); });
    connect(asText, &QPushButton::clicked, this,
            [this] { actions_.run([this] { actions_.asText(tips_); }); });
    connect(balance, &QPushButton::clicked, this,
            [this] { actions_.run([this] { actions_.hitBalance(tips_); }); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {calculate, cancel_, toGrid, toSlip, asText, balance}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(grid_, 1);
    layout->addWidget(progress_);
    layout->addWidget(summary_);
    layout->addLayout(buttons);
    resize(640, 560);
}

SystemFields SystemDialog::fields() const {
    return {numbers_->text(), bank_->text(), lucky_->text(), kind_->currentIndex()};
}

void SystemDialog::calculate() {
    const int guarantee = kind_->currentIndex() == 0 ? 0 : kind_->currentIndex() + 2;
    const systemplay::Request request =
        systemplay::readRequest(game_, numbers_->text(), bank_->text(), guarantee, lucky_->text());
    cancelled_ = false;
    progress_->setValue(0);
    progress_->setVisible(guarantee > 0);
    cancel_->setVisible(guarantee > 0);
    calculate_->setEnabled(false); // no second search from within the first
    struct Hide {
        SystemDialog* d;
        ~Hide() {
            d->progress_->hide();
            d->cancel_->hide();
            d->calculate_->setEnabled(true);
        }
    } hide{this};
    // The search asks a few hundred times a second: the bar moves and "Abbrechen" is heard.
    const auto system = systemplay::build(game_, request, [this](double done) {
        progress_->setValue(int(done * 100));
        QApplication::processEvents();
        return !cancelled_;
    });
    if (!system) {
        summary_->setText(QStringLiteral("Die Suche wurde abgebrochen."));
        return;
    }
    show(*system);
}

void SystemDialog::show(const systemplay::System& system) {
    tips_ = system.tips;
    grid_->setRowCount(int(tips_.size()));
    for (int r = 0; r < int(tips_.size()); ++r) {
        const Tip& tip = tips_[std::size_t(r)];
        for (int c = 0; c < tip.numbers.size(); ++c)
            grid_->setItem(r, c, new QTableWidgetItem(QString::number(tip.numbers[std::size_t(c)])));
        if (!tip.extras.empty())
            grid_->setItem(r, tip.numbers.size(), new QTableWidgetItem(QString::number(tip.extras[0])));
    }
    QStringList text{system.summary};
    text << system.winPlan;
    summary_->setText(text.join(QLatin1Char('\n')));
    for (QPushButton* b : uses_) b->setEnabled(!tips_.empty());
}
