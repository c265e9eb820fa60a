#pragma once

#include "game/Draw.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

struct Game;

// What the import reads at most: of a file, of a list from the net.
namespace importlimits {
constexpr qint64 MaxBytes = 50LL * 1024 * 1024;
constexpr qsizetype MaxLines = 200000;
// "Die Datei "…" ist größer als 50 MB und wird nicht eingelesen."
QString tooLargeText(const QString& name);
} // namespace importlimits

// How a file writes the dates with slashes: 13/10/2002 or 10/13/2002. Dates with dots are read day first,
// as German writes them; y-m-d needs no order.
enum class DateOrder { DayFirst, MonthFirst };

// Asked when nothing in a file tells the order of its dates with slashes: the file's name, one line, and what
// that line's date is read either way. Answers the file's order.
using DateOrderQuestion = std::function<DateOrder(const QString& name, const QString& line,
                                                  const QDate& dayFirst, const QDate& monthFirst)>;

// What a read needs beyond the text: today (no draw lies after it), the question about the order of day and
// month (without one, day first), and where the lines read so far go now and then.
struct ReadOptions {
    QDate today;
    DateOrderQuestion askDateOrder;
    std::function<void(qsizetype)> progress;
};

// One line of a draw file, as the import reads it.
struct ImportLine {
    enum class Kind {
        Empty, // nothing but blanks
        Draw,  // a valid draw
        Bad,   // not a valid draw; reason says why
    };
    // Why a valid draw is held back until the user says: dated before the game's first draw or after its
    // last (reason says which side), on a day without a draw ("kein Ziehungstag"), or the very draw of the
    // draw day before (ImportedDraws::holdRepeats).
    enum class Hold { None, OtherGame, NoDrawDay, Repeat };
    Kind kind = Kind::Empty;
    Draw draw;
    QString reason;
    Hold hold = Hold::None;
    // A first line whose first field holds no digit is a header.
    bool firstFieldHasDigit = false;
};

// Reads a line of fields separated by ";", a tab or "," (a separator inside double quotes does not
// split, "" is a quote; without any of them, by blanks). The first field that is a date gives the date
// (d.m.yyyy, dd.mm.yy, yyyy-mm-dd, or d/m/yyyy in the order given), fields before it are ignored; the
// desktop's locale has no say.
// After it the numbers in order, several to a field when separated by commas, semicolons or blanks,
// with or without brackets or braces: the game's six numbers, its extra number (for a Glückszahl also the
// field after an empty one), then, where the game has one, an optional super number in a field of its own. An
// empty field or one that holds letters ends the numbers. A line of another game's years that is no draw of
// this game is skipped for that reason, and so is a draw dated before the first draw of a game that takes no
// draws of the games before it; one of another game's years is held back (Hold::OtherGame), one on a day
// without a draw of the game (Hold::NoDrawDay).
ImportLine readImportLine(const QString& line, const Game& game, const QDate& today,
                          DateOrder order = DateOrder::DayFirst);

// The draws of one or more files, read and checked, before anything is merged.
struct ImportedDraws {
    struct Line {
        Draw draw;
        int file = 0; // index into the files read
        int line = 0; // 1-based
        ImportLine::Hold hold = ImportLine::Hold::None;
        QString holdReason;
    };
    struct Skipped {
        int file = 0;
        int line = 0;
        QString reason;
    };
    QStringList fileNames;         // as the report names them
    std::map<double, Line> byDate; // of two lines of one date the later
    std::vector<Skipped> skipped;
    QStringList withoutDraws; // the files in which no line was a draw or looked like one
    qsizetype linesRead = 0;
    QStringList texts; // of every file read, for what else it holds (the quotas of a list)
    QStringList notes; // what the report says besides, as a list that could not be had

    // The draws held back for that reason, in date order.
    std::vector<const Line*> held(ImportLine::Hold hold) const;
    // Holds back a draw whose numbers and extra number are exactly those of the game's draw day before, read
    // here or stored: a page read twice, which chance gives once in tens of millions of draws ("wiederholt
    // die Ziehung vom 11.02.2026"). Draws held back already stay as they are.
    void holdRepeats(const std::vector<Draw>& stored, const Game& game);
    // Leaves the draws held back for that reason out, as skipped lines ("anderes Spiel (vor dem
    // 04.01.1986)", "kein Ziehungstag"); Hold::None leaves out nothing.
    void drop(ImportLine::Hold hold);
};

// Reads the lines of a text as draws of the game into `read`: `name` as the report names it, `source` as an
// error names it (the file's full path, an address). Dates with slashes are read in the order the file's
// dates tell: a field above 12, else the weekdays (one reading gives the game's draw days, the other does
// not); where nothing tells it, the question decides. Over MaxLines lines, or dates with slashes in both
// orders, throw AppError before anything is taken from it.
void readDrawText(ImportedDraws& read, const QString& text, const QString& source, const QString& name,
                  const Game& game, const ReadOptions& options);

// Reads the files in order as draws of the game. A file that is missing, no regular file, over MaxBytes,
// or that readDrawText refuses, throws AppError before anything is taken from it.
ImportedDraws readDrawFiles(const QStringList& paths, const Game& game, const ReadOptions& options);
