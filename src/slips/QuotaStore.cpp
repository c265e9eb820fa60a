#include "slips/QuotaStore.h"

#include "game/Game.h"

#include <QVariant>

namespace {

// Version 1: the draw of each day with quotas, the quotas of its ranks, and the days told to be disputed.
const char* const SchemaV1[] = {
    "CREATE TABLE draws (game INTEGER NOT NULL, day TEXT NOT NULL, draw TEXT NOT NULL, PRIMARY KEY (game, "
    "day))",
    "CREATE TABLE quotas (game INTEGER NOT NULL, day TEXT NOT NULL, rank TEXT NOT NULL, winners INTEGER NOT "
    "NULL, "
    "prize_cents INTEGER NOT NULL, PRIMARY KEY (game, day, rank), FOREIGN KEY (game, day) REFERENCES draws "
    "(game, "
    "day) ON DELETE CASCADE)",
    "CREATE TABLE disputed (game INTEGER NOT NULL, day TEXT NOT NULL, told TEXT NOT NULL, PRIMARY KEY (game, "
    "day))",
};

void toVersion1(const QString& c) {
    for (const char* sql : SchemaV1) SqlStore::run(c, QString::fromLatin1(sql));
}

const QString SelectDraws = QStringLiteral("SELECT day, draw FROM draws WHERE game = ?");
const QString SelectQuotas =
    QStringLiteral("SELECT day, rank, winners, prize_cents FROM quotas WHERE game = ? ORDER BY day, rowid");
const QString DeleteDraw = QStringLiteral("DELETE FROM draws WHERE game = ? AND day = ?");
const QString InsertDraw = QStringLiteral("INSERT INTO draws (game, day, draw) VALUES (?, ?, ?)");
const QString InsertQuota =
    QStringLiteral("INSERT INTO quotas (game, day, rank, winners, prize_cents) VALUES (?, ?, ?, ?, ?)");

} // namespace

QuotaStore::QuotaStore(const QString& programDir)
    : SqlStore(programDir + QLatin1String(FileName), QStringLiteral("Quoten"), {toVersion1}) {}

std::map<QDate, QuotaStore::DrawQuotas> QuotaStore::quotas(const Game& game) {
    std::map<QDate, DrawQuotas> quotas;
    read([&](const QString& c) {
        const int id = static_cast<int>(game.id);
        QSqlQuery d = run(c, SelectDraws, {id});
        each(d, [&](const QSqlQuery& row) {
            const QDate day = QDate::fromString(row.value(0).toString(), Qt::ISODate);
            quotas[day] = {day, row.value(1).toString(), {}};
        });
        QSqlQuery q = run(c, SelectQuotas, {id});
        each(q, [&](const QSqlQuery& row) {
            const QDate day = QDate::fromString(row.value(0).toString(), Qt::ISODate);
            quotas[day].ranks.push_back(
                {row.value(1).toString(), row.value(2).toLongLong(), row.value(3).toLongLong()});
        });
    });
    return quotas;
}

bool QuotaStore::holdsAny(const Game& game) {
    bool any = false;
    read([&](const QString& c) {
        QSqlQuery q =
            run(c, QStringLiteral("SELECT count(*) FROM draws WHERE game = ?"), {static_cast<int>(game.id)});
        any = q.next() && q.value(0).toInt() > 0;
    });
    return any;
}

void QuotaStore::put(const Game& game, const std::vector<DrawQuotas>& quotas) {
    if (quotas.empty()) return;
    open(true);
    write(QStringLiteral("Die Quoten konnten nicht gespeichert werden."), [&](const QString& c) {
        const int id = static_cast<int>(game.id);
        for (const DrawQuotas& d : quotas) {
            const QString day = d.day.toString(Qt::ISODate);
            run(c, DeleteDraw, {id, day}); // its quotas go with it
            run(c, InsertDraw, {id, day, d.draw});
            for (const Rank& r : d.ranks) run(c, InsertQuota, {id, day, r.name, r.winners, r.prizeCents});
        }
    });
}

std::map<QDate, QString> QuotaStore::disputes(const Game& game) {
    std::map<QDate, QString> told;
    read([&](const QString& c) {
        QSqlQuery q = run(c, QStringLiteral("SELECT day, told FROM disputed WHERE game = ?"),
                          {static_cast<int>(game.id)});
        each(q, [&](const QSqlQuery& row) {
            told[QDate::fromString(row.value(0).toString(), Qt::ISODate)] = row.value(1).toString();
        });
    });
    return told;
}

void QuotaStore::markDisputed(const Game& game, const QDate& day, const QString& told) {
    open(true);
    write(QStringLiteral("Die Quoten konnten nicht gespeichert werden."), [&](const QString& c) {
        run(c, QStringLiteral("INSERT OR REPLACE INTO disputed (game, day, told) VALUES (?, ?, ?)"),
            {static_cast<int>(game.id), day.toString(Qt::ISODate), told});
    });
}
