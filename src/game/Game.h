#pragma once

#include "game/Draw.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

struct Tip;
struct TipCheck;

// One drum of a game: how many numbers it draws and their range, which may grow from a given draw on.
struct Drum {
    struct Range {
        QDate from; // the first draw with this range; invalid for the first range
        int highest = 0;
    };
    QString name;        // on screen and in the header of a list: "Zusatzzahl", "Glückszahl", "Sterne"
    QString captionMark; // before its numbers in a draw's caption: "Z" ("Z:29"), "GZ" ("GZ:4")
    // After a tip's hits when the drum counts for it: "Z" (" + Z"), "G"; empty: the count of its hits
    // (" + 1").
    QString hitMark;
    // One number of it, with its article: "Glückszahl dieses Tipps", "die Glückszahl 7", "der Stern 13".
    QString oneName;
    QString article; // "die", "der"
    QString plural;  // "Glückszahlen", "Sterne"
    int drawn = 0;
    int lowest = 1;
    std::vector<Range> ranges; // ascending
    // Drawn from the main numbers' drum, as the Zusatzzahl of "6 aus 45": never one of them, counted with
    // them by the statistics, and no tip has one of its own: one of the tip's numbers hits it.
    bool mainDrum = false;
    // What the header of a list of draws calls its column, in lower case.
    QStringList columnNames;

    // The highest number of the newest range, and on that day (the newest for an invalid day).
    int highest() const { return ranges.empty() ? 0 : ranges.back().highest; }
    int highest(const QDate& day) const;
    bool holds(int n) const { return n >= lowest && n <= highest(); }
    bool holds(int n, const QDate& day) const { return n >= lowest && n <= highest(day); }
    // The numbers it holds that day.
    int size() const { return highest() - lowest + 1; }
    int size(const QDate& day) const { return highest(day) - lowest + 1; }
};

// One prize rank of a game: how many of a tip's numbers are among those drawn, and how many it needs in
// each further drum.
struct PrizeRank {
    static constexpr int Any = -1; // the drum does not matter
    QString name;                  // as the Trefferbilanz heads its column
    int hits = 0;
    std::vector<int> extraHits; // per further drum (Game::extras): the hits it needs there, or Any
    qint64 ways = 0;            // the tips of this rank among all the game's tips of the newest ranges

    bool matches(int numberHits, const Numbers& drumHits) const;
};

// A weekday the game is drawn on, from a day on.
struct DrawDay {
    int weekday = 0; // dates::Sunday .. dates::Saturday
    QDate from;      // invalid: always, as the games before it were drawn on it too
    QString name;    // "Samstag"
};

// Where a draw's numbers stand in its 16-byte record: the date in bytes 0 .. 7, then the main numbers, the
// further drums' and the Superzahl each from a byte of their own, one byte a number.
struct RecordLayout {
    int numbersAt = 8;
    int extrasAt = 14;
    int superNumberAt = 15; // -1: none
};

// What a lottery game is. The program holds one current game (AppState::game); every rule that depends on
// the game asks it. Only the layouts that fix a count themselves (the paper slip, the operator's pages of
// "6 aus 45") write it, and say so where they do.
struct Game {
    // Also the value the settings store keeps for the game.
    enum class Id { SixOf45 = 45, SixOf42 = 42, EuroMillions = 50 };

    // The Superzahl of a game that has one: a digit drawn besides the others, not counted by them.
    struct SuperNumber {
        QString name;
        int lowest = 0;
        int highest = 0;
        QDate after;             // the first draws with one came after this day
        QStringList columnNames; // as a drum's
    };

    Id id = Id::SixOf45;
    QString name; // "6 aus 45"
    Drum numbers; // the main drum
    std::vector<Drum> extras;
    bool hasSuperNumber = false;
    SuperNumber superNumber; // where hasSuperNumber
    // What the program has for the game beyond its own archive: the operator's web pages it reads (the
    // update, the rebuild, the latest draws) and the layout of its paper slip.
    bool webPages = false;
    bool slip = false;
    // A list of the game's draws at an address the user gives on page "Internet-Optionen", read as "Import
    // aus Text" reads a file: the control that holds the address ("URL42Edit"); empty for none.
    QString drawListEdit;
    // The program's first game goes unnamed in the texts it always had ("Es sind noch keine Ziehungen
    // gespeichert.", the tip sheet's header); every other game is named there.
    bool namedInTexts = true;
    // The digit sums the filters of the tip search offer (UpDown1, UpDown2).
    int digitSumLowest = 21;
    int digitSumHighest = 279;
    QDate firstDraw;
    QDate lastDraw; // invalid while the game is played
    // Whether a draw of the games before this one may be taken into its archive, after a question: those of
    // "6 aus 40" and "6 aus 42" fit "6 aus 45"; a draw of "6 aus 45" with its Zusatzzahl is none of "6 aus
    // 42".
    bool takesEarlierGames = false;
    // The weekdays it is drawn on, as the statistics' two check boxes name them (CheckBox16, CheckBox17).
    std::vector<DrawDay> drawDays;
    QString archiveFile;
    QString insertWorkFile; // the work file of a rewrite that inserts or replaces
    QString deleteWorkFile; // the work file of a deletion
    QString shippedRecord;  // the record of the real draws that ships with the program
    // The quotas of its draws where they are public: the record that ships with the program and the control
    // that holds the address of their public list ("URL42QEdit"); empty for none.
    QString quotaRecord;
    QString quotaListEdit;
    // The popularity of its numbers fitted to those quotas (tools/FitPopularity.cpp); empty where none is.
    QString popularityModel;
    QString exportPrefix; // the export's default file name: prefix + year + ".csv"
    RecordLayout record;
    qint64 tipChoices = 0; // the different tips of the newest ranges, their own further numbers included
    int tipPriceCents = 0; // what one tip costs a draw, in Rappen
    // What the price holds that the program does not check, said once on the slips' page; empty for nothing.
    QString priceNote;
    std::vector<PrizeRank> ranks; // best first

    static const Game& sixOf45();
    static const Game& sixOf42();
    static const Game& euroMillions();
    // The game of a stored value (45, 42); anything else is "6 aus 45", which the program starts with.
    static const Game& byValue(int value);
    // Every game the program knows, the one it starts with first.
    static std::vector<const Game*> all();
    // Fills in what follows from the rest: the counts of the further numbers, each rank's ways and the tip
    // choices of the newest ranges. Every definition ends with it.
    void derive();
    // The ranks of a game with one further drum, best first, from their names: "6 + GZ" is 6 hits and the
    // drum hit, "6" beside it 6 hits and the drum missed, "5 + 2" 5 hits and 2 of the drum; a name without
    // ranks of its hits that need the drum is any.
    static std::vector<PrizeRank> ranksOf(const QStringList& names);

    bool isNumber(int n) const { return numbers.holds(n); }
    // The numbers a draw holds in its further drums, and those a tip has of its own.
    int extraCount() const { return extraCount_; }
    int tipExtraCount() const { return tipExtraCount_; }
    // The further drum of the draw's extra number at that place, and of a tip's own at that place.
    const Drum& extraDrumAt(int place) const;
    const Drum& tipExtraDrumAt(int place) const;
    // The one further drum of a game with one, which the screen names ("Glückszahl", "Zusatzzahl").
    const Drum& extra() const { return extras.front(); }
    // A tip of the game has numbers of its own besides its main ones (a Glückszahl, stars).
    bool ownExtras() const { return tipExtraCount() > 0; }
    // The numbers of a draw the statistics count: the main ones, and those of a further drum that is the
    // main one's.
    int countedPerDraw() const { return numbers.drawn + countedExtras_.size(); }
    template <typename Visit> void forEachCounted(const Draw& draw, Visit visit) const {
        for (const int n : draw.numbers) visit(n);
        for (const int i : countedExtras_)
            if (i < draw.extras.size()) visit(draw.extras[std::size_t(i)]);
    }
    // The hits of the lowest prize rank.
    int fewestWinningHits() const { return fewestHits_; }
    // The share of draws in which one given number is among those counted.
    double numberShare() const { return double(countedPerDraw()) / numbers.highest(); }
    // The ways of choosing the drawn numbers out of the game's.
    qint64 numberChoices() const;
    // The tips of that rank, and all tips, with the ranges of that day (the newest for an invalid one).
    // Without `ownExtras`: of the tips that leave their own further numbers empty, which never hit them.
    qint64 waysOf(const PrizeRank& rank, const QDate& day = QDate(), bool ownExtras = true) const;
    qint64 tipChoicesOn(const QDate& day = QDate()) const;
    // The tips that reach no rank, with the ranges of that day.
    qint64 losingWays(const QDate& day = QDate()) const;
    // The days from which a drum's range changed, the first draw first: chance differs from each to the next.
    std::vector<QDate> rangeChanges() const;
    // The first day of the ranges in effect on that day.
    QDate rangesOn(const QDate& day) const;
    bool isSuperNumber(int n) const { return n >= superNumber.lowest && n <= superNumber.highest; }

    // What derive() counts once: the further numbers of a draw and of a tip, and the places of those the
    // statistics count with the main ones.
    int extraCount_ = 0;
    int tipExtraCount_ = 0;
    int fewestHits_ = 0; // of any rank: "1 + 2" needs one number
    Numbers countedExtras_;

    // An empty draw and tip of the game: zeros of the right counts.
    Draw emptyDraw() const;
    Tip emptyTip() const;

    // The first thing that keeps a draw out of this game's archive: the main numbers and then the further
    // ones out of range (on the draw's day), else a number twice (a further one among the main ones where it
    // comes from their drum, twice in its own drum). Every reader of draws words it for its user.
    struct DrawProblem {
        enum class Kind { None, NumberOutOfRange, ExtraOutOfRange, NumberTwice, ExtraAmongSix, ExtraTwice };
        Kind kind = Kind::None;
        int number = 0;
        int place = -1; // of a further number: its place among the draw's
        bool outOfRange() const { return kind == Kind::NumberOutOfRange || kind == Kind::ExtraOutOfRange; }
    };
    DrawProblem problemOf(const Draw& draw) const;
    // The tip's rank in a draw, or nothing below the lowest; the tip's numbers are distinct.
    const PrizeRank* rankOf(const Tip& tip, const Draw& draw) const;
    // The rank of so many hits among the main numbers and in each further drum, or nothing.
    const PrizeRank* rankFor(int hits, const Numbers& drumHits) const;
    // The hits in each further drum: of a drum of the main one's, the tip's numbers that are among its
    // numbers; of one of its own, the tip's own numbers of it (never empty) that are among the draw's.
    Numbers extraHits(const Tip& tip, const Draw& draw) const;
    // The hits as the grid says them: "3", "5 + Z", "3 + G", "3 + 1".
    QString hitText(const TipCheck& check) const;

    // The numbers of a draw as the questions about it name them: "3 12 17 25 33 41 Z:7"; `between` stands
    // between the numbers.
    QString drawText(const Draw& draw, const QString& between = QStringLiteral(" ")) const;

    // A weekday of the game from its first day on.
    bool isDrawDay(const QDate& day) const;
    // Which of the draw days (0, 1) the day's weekday is, whatever its date; -1 for none.
    int drawDayIndex(const QDate& day) const;
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
