#pragma once

#include "game/Draw.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

struct Tip;

// One prize rank of a game: how many of a tip's numbers are among the six drawn, and what the extra number
// has to do for it.
struct PrizeRank {
    enum class Extra {
        Any,    // the extra number does not matter
        Hit,    // "5 + ZZ": the tip's sixth number is the ZZ; "6 + GZ": the tip's Glückszahl is the draw's
        Missed, // the same rank without it
    };
    QString name; // as the Trefferbilanz heads its column
    int hits = 0;
    Extra extra = Extra::Any;
    qint64 ways = 0; // the tips of this rank among all the game's tips (Game::tipChoices)
};

// What a lottery game is. The program holds one current game (AppState::game); every rule that depends on
// the game asks it. Only the layouts that fix a count themselves (the 16-byte record, the paper slip, the
// operator's pages of "6 aus 45") write it, and say so where they do.
struct Game {
    // Also the value the settings store keeps for the game.
    enum class Id { SixOf45 = 45, SixOf42 = 42 };

    // The number drawn besides the six, stored in byte 14 of a record.
    struct ExtraNumber {
        QString name;        // "Zusatzzahl"
        QString captionMark; // before it in the draw caption: "Z" ("Z:29")
        QString hitMark;     // after the hits of a tip that has it: "Z" (" + Z")
        int lowest = 1;
        int highest = 0;
        // From the same drum as the six: never one of them, and counted with them by the statistics.
        bool sameDrum = true;
        // What the header of a list of draws calls its column, in lower case.
        QStringList columnNames;
    };

    // The Superzahl of a game that has one: a digit drawn besides the others, not counted by them.
    struct SuperNumber {
        QString name;
        int lowest = 0;
        int highest = 0;
        QDate after;             // the first draws with one came after this day
        QStringList columnNames; // as the extra number's
    };

    Id id = Id::SixOf45;
    QString name;    // "6 aus 45"
    int highest = 0; // the numbers are 1 .. highest
    int drawn = 0;   // numbers drawn, and numbers in a tip
    ExtraNumber extra;
    bool hasSuperNumber = false;
    SuperNumber superNumber; // where hasSuperNumber
    // What the program has for the game beyond its own archive: the operator's web pages it reads (the
    // update, the rebuild, the latest draws) and the layout of its paper slip.
    bool webPages = false;
    bool slip = false;
    // A list of the game's draws at an address the user gives, read as "Import aus Text" reads a file.
    bool drawList = false;
    QDate firstDraw;
    QDate lastDraw; // invalid while the game is played
    // Whether a draw of the games before this one may be taken into its archive, after a question: those of
    // "6 aus 40" and "6 aus 42" fit "6 aus 45"; a draw of "6 aus 45" with its Zusatzzahl is none of "6 aus
    // 42".
    bool takesEarlierGames = false;
    // Saturdays always; Wednesdays from this day on.
    QDate wednesdaysFrom;
    QString archiveFile;
    QString insertWorkFile; // the work file of a rewrite that inserts or replaces
    QString deleteWorkFile; // the work file of a deletion
    QString shippedRecord;  // the record of the real draws that ships with the program
    QString exportPrefix;   // the export's default file name: prefix + year + ".csv"
    qint64 tipChoices = 0;  // the different tips, the extra number included where a tip has one of its own
    int tipPriceCents = 0;  // what one tip costs a draw, in Rappen
    std::vector<PrizeRank> ranks; // best first

    static const Game& sixOf45();
    static const Game& sixOf42();
    // The game of a stored value (45, 42); anything else is "6 aus 45", which the program starts with.
    static const Game& byValue(int value);
    // Every game the program knows, the one it starts with first.
    static std::vector<const Game*> all();

    bool isNumber(int n) const { return n >= 1 && n <= highest; }
    bool isExtra(int n) const { return n >= extra.lowest && n <= extra.highest; }
    // The numbers of a draw the statistics count: the six, and the extra number when it is one of them.
    int countedPerDraw() const { return extra.sameDrum ? drawn + 1 : drawn; }
    int countedNumber(const Draw& draw, int index) const {
        return index < drawn ? draw.numbers[static_cast<std::size_t>(index)] : draw.extra;
    }
    // The hits of the lowest prize rank.
    int fewestWinningHits() const { return ranks.back().hits; }
    // The share of draws in which one given number is among those counted.
    double numberShare() const { return double(countedPerDraw()) / highest; }
    // The ways of choosing the drawn numbers out of the game's.
    qint64 numberChoices() const;
    bool isSuperNumber(int n) const { return n >= superNumber.lowest && n <= superNumber.highest; }

    // The first thing that keeps a draw out of this game's archive: the six numbers and then the extra
    // number out of range, else a number twice (the extra number among the six where it comes from their
    // drum). Every reader of draws words it for its user.
    struct DrawProblem {
        enum class Kind { None, NumberOutOfRange, ExtraOutOfRange, NumberTwice, ExtraAmongSix };
        Kind kind = Kind::None;
        int number = 0;
        bool outOfRange() const { return kind == Kind::NumberOutOfRange || kind == Kind::ExtraOutOfRange; }
    };
    DrawProblem problemOf(const Draw& draw) const;
    // The tip's rank in a draw, or nothing below the lowest; the tip's numbers are distinct.
    const PrizeRank* rankOf(const Tip& tip, const Draw& draw) const;
    // Whether the extra number counts for the tip: one of its numbers is the ZZ, or its own extra number
    // (never empty) is the draw's.
    bool extraHit(const Tip& tip, const Draw& draw) const;

    // The numbers of a draw as the questions about it name them: "3 12 17 25 33 41 Z:7"; `between` stands
    // between the numbers.
    QString drawText(const Draw& draw, const QString& between = QStringLiteral(" ")) const;

    // A Saturday, or a Wednesday from wednesdaysFrom on.
    bool isDrawDay(const QDate& day) const;
    // A Wednesday or a Saturday: the days the statistics count. A draw on another day is none.
    static bool isDrawWeekday(const QDate& day);
    // The first draw day on or after the day.
    QDate nextDrawDay(const QDate& day) const;
    // The last draw day on or before the day.
    QDate previousDrawDay(const QDate& day) const;
    // The draw a tip is for now: the next draw day on or after today, or the next after the newest stored
    // draw where that is later.
    QDate comingDrawDay(const QDate& today, const QDate& newestStored) const;
    // From the first draw to the last.
    bool playedOn(const QDate& day) const;
    // The draw days after one day and before another.
    int drawDaysBetween(const QDate& after, const QDate& before) const;
};
