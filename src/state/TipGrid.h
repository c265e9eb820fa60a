#pragma once

#include "game/Game.h"
#include "game/Tip.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class Controls;

// The 14 x 6 tip cells of page "Lottotipp" with their row, hit and digit-sum labels. The cells live in
// Controls under their objectNames; every text written to a cell passes the cell rule of the current
// game, so a cell holds either nothing or a plain integer 1 .. highest.
class TipGrid {
public:
    static constexpr int Rows = 14;
    // The page's cells a row: six, the numbers of a tip of the game in the first of them.
    static constexpr int Columns = 6;
    // The cells a row has for a tip's own further numbers (the Glückszahl; the two stars).
    static constexpr int ExtraColumns = 2;

    // row 0 .. 13, column 0 .. 5
    static QString cellName(int row, int column);
    static QString rowLabelName(int row);
    static QString hitLabelName(int row);
    static QString sumLabelName(int row);
    static QString worthLabelName(int row); // Label121 .. Label134
    static QStringList cellNames();         // all 84, in grid order
    // A row's cells for the tip's own further numbers where the game gives it some: Edit101 .. Edit114 the
    // first (the Glückszahl), Edit121 .. Edit134 the second.
    static QString extraCellName(int row, int place = 0);
    static QStringList extraCellNames(); // the first of every row, then the second
    // "" or the canonical decimal text of a number of the game, in a cell the game uses.
    static QString applyCellRule(const QString& text, const Game& game, int column = 0);
    // "" or the canonical decimal text of a tip's own further number of the game at that place.
    static QString applyExtraCellRule(const QString& text, const Game& game, int place = 0);

    // Installs the game's cell rules on the 84 cells and the 14 extra cells.
    TipGrid(Controls& controls, const Game& game);
    // Another game: its rules from now on, and what no longer fits them leaves its cell.
    void applyGame(const Game& game);
    // Each game keeps its own tips. Keeps those shown as `from`'s, and shows `to`'s under its rules: the
    // tips it kept, or the defaults for a game never shown; the labels are emptied for the evaluation.
    void switchGame(const Game& from, const Game& to);
    // The tips a game keeps while another is shown, as texts() gives them; empty when it keeps none.
    QStringList keptTips(const Game& game) const { return kept_.value(static_cast<int>(game.id)); }
    void keepTips(const Game& game, const QStringList& texts) {
        kept_.insert(static_cast<int>(game.id), texts);
    }
    // The texts of the cells and extra cells, in the order of cellNames() + extraCellNames().
    QStringList texts() const;

    // Row 1 shows 1 .. 6, every other cell and every label empty.
    void installDefaults();

    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);
    std::optional<int> cell(int row, int column) const;
    // The cells of a tip of the current game.
    int columns() const;
    // A further number of a row's tip; 0 when its cell is empty.
    int extraCell(int row, int place = 0) const;
    void setExtraCell(int row, int value, int place = 0); // 0 empties it
    // All the tip's own further numbers the game gives it, 0 for an empty cell.
    Numbers extraCells(int row) const;
    void setExtraCells(int row, const Numbers& extras);
    QStringList rowTexts(int row) const;
    QStringList rowTexts(int row, const Game& game) const;
    // The row's tip: the numbers of the game's cells (0 for an empty one) and its own further numbers.
    Tip tip(int row) const;
    // The same read as a tip of another game than the current one.
    Tip tip(int row, const Game& game) const;
    // The row's tip when every cell of it holds a number.
    std::optional<Tip> completeRow(int row) const;
    std::optional<Tip> completeRow(int row, const Game& game) const;
    // A row counts as present for the text output and the slip when its first cell is filled.
    bool rowPresent(int row) const;
    // Any cell of the row filled, its extra number's included: a row the player began to write.
    bool rowHasAnyCell(int row) const;

    // Writes the tip's numbers (0 leaves a cell empty) and their sum into the digit-sum label (empty for a
    // tip without numbers); the extra number's cell stays as it is.
    void writeTip(int row, const Tip& tip);
    // Empties all 84 cells, the 14 extra cells and the 28 labels.
    void clearAll();

    Controls& controls() { return controls_; }

private:
    Controls& controls_;
    const Game* game_ = nullptr;
    QHash<int, QStringList> kept_; // by Game::Id
};
