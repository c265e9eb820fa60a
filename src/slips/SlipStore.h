#pragma once

#include "archive/DrawArchive.h"
#include "slips/Slip.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

// The slips a player keeps, in an SQLite database of their own beside the archive ("Scheine.sqlite"),
// through Qt SQL. The schema carries its version (PRAGMA user_version); an older store is taken to this
// program's version step by step, each step one transaction. Every write is one transaction: it is done
// whole, or the store stays as it was and AppError says why in German. A store that cannot be read -
// damaged, empty, no database, of a newer program - is never replaced or emptied: AppError names its file.
// Until the first slip is saved there is no file.
class SlipStore {
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
    explicit SlipStore(QString programDir);
    ~SlipStore();
    SlipStore(const SlipStore&) = delete;
    SlipStore& operator=(const SlipStore&) = delete;

    QString path() const;
    bool exists() const;
    // Opens the store, when there is one, checks it and takes it to this version: throws AppError when it
    // cannot be used.
    void verify();
    int schemaVersion();

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

private:
    // The open connection's name; opened on first use. `create`: a missing or empty store is made.
    QString open(bool create);
    // Checks, migrates and turns on the rules of an opened store.
    void prepare(const QString& connection, bool existed);
    // Runs the reads on the store, when there is one; a failure throws AppError naming the file.
    void read(const std::function<void(const QString& connection)>& reads);
    // Runs the writes in one transaction; a failure rolls back and throws AppError beginning with `what`.
    void write(const QString& what, const std::function<void(const QString& connection)>& writes);
    QString shown() const;

    QString dir_;
    QString connection_;
};
