#pragma once

#include "archive/DrawArchive.h"
#include "slips/SqlStore.h"

#include <QDate>
#include <QString>
#include <map>
#include <vector>

// The published quotas of a game's draws, in an SQLite database of their own beside the archives
// ("Quoten.sqlite"), with the rules of the slips' store: for each draw the numbers the quotas were published
// with, and for each rank its winners and the prize of one in Rappen. Public data, yet kept as safely.
class QuotaStore : public SqlStore {
public:
    static constexpr const char* FileName = DrawArchive::QuotaFile;
    static constexpr int SchemaVersion = 1;

    struct Rank {
        QString name; // PrizeRank::name
        qint64 winners = 0;
        qint64 prizeCents = 0;
    };
    struct DrawQuotas {
        QDate day;
        QString draw; // drawKey of the draw the quotas were published with
        std::vector<Rank> ranks;
    };

    explicit QuotaStore(const QString& programDir);

    // The game's quotas by day; none without a store.
    std::map<QDate, DrawQuotas> quotas(const Game& game);
    bool holdsAny(const Game& game);
    // Stores the quotas (and makes the store where there is none), in place of those of the same days.
    void put(const Game& game, const std::vector<DrawQuotas>& quotas);
    // The days whose published draw differs from the stored one, once told.
    std::map<QDate, QString> disputes(const Game& game);
    void markDisputed(const Game& game, const QDate& day, const QString& told);
};
