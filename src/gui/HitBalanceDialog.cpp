#include "gui/HitBalanceDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

HitBalanceDialog::HitBalanceDialog(const HitBalance& balance, QWidget* parent)
    : QDialog(parent), balance_(balance) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("Trefferbilanz der Tipps"));
    auto* caption = new QLabel(balance_.caption(), this);
    caption->setObjectName(QStringLiteral("Label1"));

    const QStringList header = balance_.header();
    const auto rows = balance_.rows();
    auto* table = new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(header.size()), this);
    table->setObjectName(QStringLiteral("StringGrid1"));
    table->setAccessibleName(balance_.caption());
    table->setHorizontalHeaderLabels(header);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < header.size(); ++c) {
            auto* item = new QTableWidgetItem(rows[static_cast<std::size_t>(r)].value(c));
            // Counts line up on the right, as numbers do.
            if (c >= 2 && c < header.size() - 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
    // What the tips would have been paid, under the counts.
    auto* francs = new QLabel(balance_.francsLines().join(QLatin1Char('\n')), this);
    francs->setObjectName(QStringLiteral("Label2"));
    francs->setVisible(balance_.francs.has_value());

    auto* copy = new QPushButton(QStringLiteral("Kopieren"), this);
    copy->setObjectName(QStringLiteral("BitBtn1"));
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setObjectName(QStringLiteral("BitBtn2"));
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(balance_.text()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(table, 1);
    layout->addWidget(francs);
    layout->addLayout(buttons);

    // Every column in full, and every line up to 14 tips and the line of chance without scrolling (a system's
    // many tips scroll).
    int width = 2 * table->frameWidth();
    for (int c = 0; c < table->columnCount(); ++c) width += table->columnWidth(c);
    table->setMinimumSize(width, 2 * table->frameWidth() + table->horizontalHeader()->sizeHint().height() +
                                     table->verticalHeader()->defaultSectionSize() *
                                         std::min(table->rowCount(), 16));
}

void showHitBalance(const HitBalance& balance, QWidget* parent) {
    HitBalanceDialog dialog(balance, parent);
    dialog.exec();
}
