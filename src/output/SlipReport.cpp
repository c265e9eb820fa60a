#include "output/SlipReport.h"

#include "state/TipGrid.h"

#include <array>

namespace slip {

namespace {

// First mark of each row; rows 13 and 14 use the marks that were added last to the slip form.
constexpr std::array<int, TipGrid::Rows> firstMark{1, 7, 13, 19, 25, 31, 43, 49, 56, 62, 68, 74, 37, 0};

constexpr int ColumnPitch = 81; // six boxes of 14 less 3
constexpr int RowPitch = 136;   // eight box rows of 17
constexpr int BoxWidth = 14;
constexpr int BoxHeight = 17;

QFont markFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8);
    font.setBold(true);
    return font;
}

} // namespace

QString markName(int row, int column) {
    int number = 0;
    if (row == TipGrid::Rows - 1)
        number = column == 0 ? 55 : 79 + column;
    else
        number = firstMark[static_cast<std::size_t>(row)] + column;
    return QStringLiteral("QRLabel%1").arg(number);
}

QPoint markPosition(int slot, int number, int top, int left) {
    const int x = left + ColumnPitch * (slot / 2) + BoxWidth * ((number - 1) % 6);
    const int y = top + RowPitch * (slot % 2) + BoxHeight * ((number - 1) / 6);
    return {x, y};
}

Report createReport() {
    Report report;
    report.setTitle(QStringLiteral("Druck des Lottoscheines"));
    report.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 10),
                                     QPageLayout::Millimeter));
    report.setBandSize(QSize(794, 481));
    ReportElement& picture = report.addImage(QLatin1String(PictureName), 10, -5, 785, 469);
    picture.enabled = false;
    const QFont font = markFont();
    for (int n = 1; n <= TipGrid::Rows * MarksPerTip; ++n)
        report.addText(QStringLiteral("QRLabel%1").arg(n), 0, 0, QStringLiteral("x"), font);
    for (const char* name : {SaturdayMark, WednesdayMark, JokerMark, ExtraJokerMark})
        report.addText(QLatin1String(name), 0, 0, QStringLiteral("x"), font).enabled = false;
    return report;
}

void placeGameMarks(Report& report, const SlipChoice& c) {
    struct Mark {
        const char* name;
        int dx;
        int dy;
        bool on;
    };
    // A single draw is ticked in the first day box whichever day it is; the second box means both.
    const Mark marks[] = {
        {SaturdayMark, 190, -32, c.saturday != c.wednesday},
        {WednesdayMark, 215, -32, c.saturday && c.wednesday},
        {JokerMark, 125, 295, c.joker},
        {ExtraJokerMark, 405, 295, c.extraJoker},
    };
    for (const Mark& m : marks) {
        ReportElement& e = report.element(QLatin1String(m.name));
        e.left = c.left + m.dx;
        e.top = c.top + m.dy;
        e.enabled = m.on;
    }
}

void layOutTips(Report& report, const TipGrid& grid, int top, int left) {
    int slot = 0;
    for (int row = 0; row < TipGrid::Rows; ++row) {
        const bool present = grid.rowPresent(row);
        if (row > 0 && present) ++slot;
        for (int column = 0; column < MarksPerTip; ++column) {
            ReportElement& mark = report.element(markName(row, column));
            const auto number = grid.cell(row, column);
            // A row without its first number has no field of its own; its other numbers would land in
            // the field of another tip, so they are not marked.
            if (present && number && *number >= 1 && *number <= FieldBoxes) {
                const QPoint p = markPosition(slot, *number, top, left);
                mark.left = p.x();
                mark.top = p.y();
                mark.caption = QStringLiteral("x");
            } else {
                mark.caption = QStringLiteral(" ");
            }
        }
    }
}

int presentTipCount(const TipGrid& grid) {
    int count = 0;
    for (int row = 0; row < TipGrid::Rows; ++row)
        if (grid.rowPresent(row)) ++count;
    return count;
}

} // namespace slip
