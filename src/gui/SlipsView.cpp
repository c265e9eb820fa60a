#include "gui/SlipsView.h"

#include "platform/Controls.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {

// The columns of ScheinGrid, in the order of Page::Row.
enum Column { FirstDraw, Draws, Tips, Stake, Ranks, Paid, Won, Columns };

QStringList cellsOf(const slips::Page::Row& row) {
    return {row.firstDraw, row.draws, row.tips, row.stake, row.ranks, row.paid, row.won};
}

} // namespace

SlipsView::SlipsView(QWidget* page, Controls& controls)
    : QObject(page), controls_(controls),
      slips_(page->findChild<QTableWidget*>(QStringLiteral("ScheinGrid"))),
      hits_(page->findChild<QTableWidget*>(QStringLiteral("TreffGrid"))) {
    slips_->setColumnCount(Columns);
    slips_->setHorizontalHeaderLabels({QStringLiteral("Gespielt ab"), QStringLiteral("Ziehungen"),
                                       QStringLiteral("Tipps"), QStringLiteral("Einsatz (CHF)"),
                                       QStringLiteral("Treffer"), QStringLiteral("Ausbezahlt (CHF)"),
                                       QStringLiteral("Gewinn laut Quoten (CHF)")});
    connect(slips_, &QTableWidget::itemSelectionChanged, this, [this] { showHits(); });
    connect(slips_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (filling_ || column != Paid || row < 0 || row >= int(page_.slips.size())) return;
        emit paidEdited(page_.slips[std::size_t(row)], slips_->item(row, column)->text());
    });
}

const Slip* SlipsView::selected() const {
    const int row = slips_->currentRow();
    return row >= 0 && row < int(page_.slips.size()) ? &page_.slips[std::size_t(row)] : nullptr;
}

void SlipsView::show(const slips::Page& page) {
    const qint64 before = selected() ? selected()->id : 0;
    page_ = page;
    filling_ = true;
    slips_->setColumnHidden(Won, !page_.francs);
    slips_->setRowCount(int(page_.rows.size()));
    for (int row = 0; row < int(page_.rows.size()); ++row) {
        const QStringList cells = cellsOf(page_.rows[std::size_t(row)]);
        for (int column = 0; column < Columns; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column != Paid) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (column >= Tips && column != Ranks) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            slips_->setItem(row, column, item);
        }
    }
    int current = page_.slips.empty() ? -1 : 0;
    for (int row = 0; row < int(page_.slips.size()); ++row)
        if (page_.slips[std::size_t(row)].id == before) current = row;
    if (current >= 0) slips_->selectRow(current);
    slips_->resizeColumnsToContents();
    filling_ = false;
    controls_.setText(QStringLiteral("Label90"), page_.totals);
    for (const char* name : {"BitBtn93", "BitBtn94"})
        controls_.setEnabled(QLatin1String(name), !page_.slips.empty());
    showHits();
}

void SlipsView::showHits() {
    const Slip* slip = selected();
    hits_->clear();
    if (!slip) {
        hits_->setColumnCount(0);
        hits_->setRowCount(0);
        return;
    }
    const auto& lines = page_.hits[std::size_t(slips_->currentRow())];
    QStringList header{QStringLiteral("Ziehung"), QStringLiteral("Zahlen")};
    for (std::size_t t = 0; t < slip->tips.size(); ++t) header << QStringLiteral("Tipp %1").arg(t + 1);
    hits_->setColumnCount(int(header.size()));
    hits_->setHorizontalHeaderLabels(header);
    hits_->setRowCount(int(lines.size()));
    for (int line = 0; line < int(lines.size()); ++line) {
        const slips::Page::HitLine& l = lines[std::size_t(line)];
        const QStringList cells = QStringList{l.day, l.numbers} + l.ranks;
        for (int column = 0; column < cells.size(); ++column)
            hits_->setItem(line, column, new QTableWidgetItem(cells[column]));
    }
    hits_->resizeColumnsToContents();
}
