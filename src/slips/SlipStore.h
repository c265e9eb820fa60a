#pragma once

#include "archive/DrawArchive.h"
#include "slips/Slip.h"
#include "slips/SqlStore.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

// The slips a player keeps, in an SQLite database of their own beside the archive ("Scheine.sqlite"), with
// the rules of every store of the program (SqlStore): checked when opened, taken to this version step by
// step, every write one transaction, a store that cannot be read named and left as it is.
class SlipStore : public SqlStore {
public:
    static constexpr const char* FileName = DrawArchive::SlipFile;
    static constexpr int SchemaVersion = 2;

    // A draw day a slip has been checked against: the draw seen there and what each tip reached in it.
    struct Seen {
        qint64 slip = 0;
        QDate day;
        QString draw;      // drawKey of the draw
        QStringList ranks; // the rank said of each tip, empty for none
    };

    // programDir ends with a separator. Nothing is opened yet.
    explicit SlipStore(const QString& programDir);

    // The game's slips, the newest first (by their first draw); none without a store.
    std::vector<Slip> slips(const Game& game);
    // Stores a new slip (and makes the store where there is none); returns its id, never one used before.
    qint64 add(const Slip& slip);
    // A stored slip's first draw, draws and tips, as given; what it was paid and what was said of it stay.
    void change(const Slip& slip);
    void remove(qint64 id);
    void setPaid(qint64 id, qint64 cents);
    // What the game's slips have been checked against, by slip and day.
    std::map<qint64, std::map<QDate, Seen>> seen(const Game& game);
    // Records what was checked, in place of what was seen on those days before.
    void markSeen(const std::vector<Seen>& seen);
    // A consistent copy of the store at `target`, which it replaces whole once it is complete.
    void backUp(const QString& target);
};
