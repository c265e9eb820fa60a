#include "state/TipGrid.h"

#include "platform/Controls.h"

#include <algorithm>
#include <functional>

namespace {

// The first cell of each row; the numbering skips the controls of other pages.
constexpr std::array<int, TipGrid::Rows> firstCell{1, 7, 13, 19, 25, 31, 43, 49, 56, 62, 68, 74, 81, 87};
constexpr std::array<int, TipGrid::Rows> rowLabel{28, 30, 31, 32, 33, 34, 46, 48, 62, 61, 63, 64, 14, 73};
constexpr std::array<int, TipGrid::Rows> hitLabel{22, 23, 24, 25, 26, 27, 45, 47, 65, 66, 69, 70, 74, 76};
constexpr std::array<int, TipGrid::Rows> sumLabel{36, 37, 38, 39, 40, 41, 49, 50, 67, 68, 71, 72, 75, 77};

QString label(int n) {
    return QStringLiteral("Label%1").arg(n);
}

} // namespace

QString TipGrid::cellName(int row, int column) {
    return QStringLiteral("Edit%1").arg(firstCell[static_cast<std::size_t>(row)] + column);
}
QString TipGrid::rowLabelName(int row) {
    return label(rowLabel[static_cast<std::size_t>(row)]);
}
QString TipGrid::hitLabelName(int row) {
    return label(hitLabel[static_cast<std::size_t>(row)]);
}
QString TipGrid::sumLabelName(int row) {
    return label(sumLabel[static_cast<std::size_t>(row)]);
}

QStringList TipGrid::cellNames() {
    QStringList names;
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c) names << cellName(r, c);
    return names;
}

QString TipGrid::worthLabelName(int row) {
    return QStringLiteral("Label%1").arg(121 + row);
}

QString TipGrid::extraCellName(int row, int place) {
    return QStringLiteral("Edit%1").arg(101 + 20 * place + row);
}

QStringList TipGrid::extraCellNames() {
    QStringList names;
    for (int place = 0; place < ExtraColumns; ++place)
        for (int r = 0; r < Rows; ++r) names << extraCellName(r, place);
    return names;
}

namespace {
QString keptIf(const QString& text, const std::function<bool(int)>& fits) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || !fits(value)) return QString();
    return QString::number(value);
}
} // namespace

QString TipGrid::applyCellRule(const QString& text, const Game& game, int column) {
    if (column >= game.numbers.drawn) return QString();
    return keptIf(text, [&game](int n) { return game.isNumber(n); });
}

QString TipGrid::applyExtraCellRule(const QString& text, const Game& game, int place) {
    const int own = game.tipExtraCount();
    // The first cell of a game without numbers of its own keeps what its one further drum holds, as ever.
    if (place >= std::max(own, 1)) return QString();
    const Drum& drum = own > 0 ? game.tipExtraDrumAt(place) : game.extra();
    return keptIf(text, [&drum](int n) { return drum.holds(n); });
}

TipGrid::TipGrid(Controls& controls, const Game& game) : controls_(controls) {
    applyGame(game);
}

void TipGrid::applyGame(const Game& game) {
    game_ = &game;
    const Game* g = &game;
    // Setting a rule puts the text there through it.
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c)
            controls_.setTextFilter(cellName(r, c),
                                    [g, c](const QString& text) { return applyCellRule(text, *g, c); });
        for (int place = 0; place < ExtraColumns; ++place)
            controls_.setTextFilter(extraCellName(r, place), [g, place](const QString& text) {
                return applyExtraCellRule(text, *g, place);
            });
    }
}

int TipGrid::columns() const {
    return game_->numbers.drawn;
}

void TipGrid::switchGame(const Game& from, const Game& to) {
    if (&from == &to) return applyGame(to);
    kept_.insert(static_cast<int>(from.id), texts());
    applyGame(to);
    const QStringList own = kept_.take(static_cast<int>(to.id));
    if (own.isEmpty()) {
        installDefaults();
        return;
    }
    clearAll();
    const QStringList names = cellNames() + extraCellNames();
    for (qsizetype i = 0; i < names.size() && i < own.size(); ++i) controls_.setText(names[i], own[i]);
}

QStringList TipGrid::texts() const {
    QStringList texts;
    for (const QString& name : cellNames() + extraCellNames()) texts << controls_.text(name);
    return texts;
}

void TipGrid::installDefaults() {
    clearAll();
    for (int c = 0; c < columns(); ++c) setCellText(0, c, QString::number(c + 1));
}

QString TipGrid::cellText(int row, int column) const {
    return controls_.text(cellName(row, column));
}

void TipGrid::setCellText(int row, int column, const QString& text) {
    controls_.setText(cellName(row, column), text);
}

std::optional<int> TipGrid::cell(int row, int column) const {
    bool ok = false;
    const int v = cellText(row, column).toInt(&ok);
    if (!ok) return std::nullopt;
    return v;
}

QStringList TipGrid::rowTexts(int row) const {
    return rowTexts(row, *game_);
}

QStringList TipGrid::rowTexts(int row, const Game& game) const {
    QStringList texts;
    for (int c = 0; c < game.numbers.drawn; ++c) texts << cellText(row, c);
    return texts;
}

Tip TipGrid::tip(int row) const {
    return tip(row, *game_);
}

Tip TipGrid::tip(int row, const Game& game) const {
    Numbers extras;
    for (int place = 0; place < game.tipExtraCount(); ++place) extras.push_back(extraCell(row, place));
    return Tip::fromTexts(rowTexts(row, game), extras);
}

std::optional<Tip> TipGrid::completeRow(int row) const {
    return completeRow(row, *game_);
}

std::optional<Tip> TipGrid::completeRow(int row, const Game& game) const {
    const Tip t = tip(row, game);
    if (!t.complete()) return std::nullopt;
    return t;
}

int TipGrid::extraCell(int row, int place) const {
    return controls_.text(extraCellName(row, place)).toInt();
}

void TipGrid::setExtraCell(int row, int value, int place) {
    controls_.setText(extraCellName(row, place), value > 0 ? QString::number(value) : QString());
}

Numbers TipGrid::extraCells(int row) const {
    Numbers extras;
    for (int place = 0; place < game_->tipExtraCount(); ++place) extras.push_back(extraCell(row, place));
    return extras;
}

void TipGrid::setExtraCells(int row, const Numbers& extras) {
    for (int place = 0; place < game_->tipExtraCount(); ++place)
        setExtraCell(row, place < extras.size() ? extras[std::size_t(place)] : 0, place);
}

bool TipGrid::rowPresent(int row) const {
    return !cellText(row, 0).isEmpty();
}

bool TipGrid::rowHasAnyCell(int row) const {
    for (int c = 0; c < Columns; ++c)
        if (!cellText(row, c).isEmpty()) return true;
    for (int place = 0; place < ExtraColumns; ++place)
        if (!controls_.text(extraCellName(row, place)).isEmpty()) return true;
    return false;
}

void TipGrid::writeTip(int row, const Tip& tip) {
    // A row without numbers has no sum either.
    const int sum = tip.digitSum();
    controls_.setText(sumLabelName(row), sum > 0 ? QString::number(sum) : QString());
    for (int c = 0; c < columns() && c < tip.numbers.size(); ++c)
        setCellText(row, c, QString::number(tip.numbers[static_cast<std::size_t>(c)]));
}

void TipGrid::clearAll() {
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) setCellText(r, c, QString());
        for (int place = 0; place < ExtraColumns; ++place) setExtraCell(r, 0, place);
        controls_.setText(hitLabelName(r), QString());
        controls_.setText(sumLabelName(r), QString());
    }
}
