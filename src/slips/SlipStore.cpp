#include "slips/SlipStore.h"

#include "platform/AppError.h"
#include "platform/Dates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

QSqlQuery run(const QString& connection, const QString& sql, const QVariantList& values = {}) {
    return SqlStore::run(connection, sql, values);
}

template <typename Row> void each(QSqlQuery& query, Row&& row) {
    SqlStore::each(query, std::forward<Row>(row));
}

// A write that must hit a stored slip.
void hitsSlip(const QSqlQuery& query) {
    if (query.numRowsAffected() < 1) throw AppError(QStringLiteral("Der Schein ist nicht mehr gespeichert."));
}

// ---- the schema, version by version ----

// Version 1: a slip, its tips with six numbers and an extra number, the draws it was checked against.
const char* const SchemaV1[] = {
    "CREATE TABLE slips (id INTEGER PRIMARY KEY, game INTEGER NOT NULL, first_draw TEXT NOT NULL, "
    "draws INTEGER NOT NULL CHECK (draws BETWEEN 1 AND 52), tip_price_cents INTEGER NOT NULL, "
    "paid_cents INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE tips (slip INTEGER NOT NULL REFERENCES slips (id), position INTEGER NOT NULL, "
    "n1 INTEGER NOT NULL, n2 INTEGER NOT NULL, n3 INTEGER NOT NULL, n4 INTEGER NOT NULL, n5 INTEGER NOT "
    "NULL, "
    "n6 INTEGER NOT NULL, extra INTEGER NOT NULL, PRIMARY KEY (slip, position))",
    "CREATE TABLE seen (slip INTEGER NOT NULL REFERENCES slips (id), day TEXT NOT NULL, draw TEXT NOT NULL, "
    "PRIMARY KEY (slip, day))",
};

// Version 2: ids never given twice, a slip's tips and checks go with it, a tip's numbers as lists (the
// numbers, then its own extra numbers: "1 8 16 24 26 34" and "2"), and what each tip reached in a draw seen.
const char* const SchemaV2[] = {
    "CREATE TABLE slips (id INTEGER PRIMARY KEY AUTOINCREMENT, game INTEGER NOT NULL, first_draw TEXT NOT "
    "NULL, "
    "draws INTEGER NOT NULL CHECK (draws BETWEEN 1 AND 52), tip_price_cents INTEGER NOT NULL, "
    "paid_cents INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE tips (slip INTEGER NOT NULL REFERENCES slips (id) ON DELETE CASCADE, "
    "position INTEGER NOT NULL, numbers TEXT NOT NULL, extras TEXT NOT NULL, PRIMARY KEY (slip, position))",
    "CREATE TABLE seen (slip INTEGER NOT NULL REFERENCES slips (id) ON DELETE CASCADE, day TEXT NOT NULL, "
    "draw TEXT NOT NULL, ranks TEXT NOT NULL, PRIMARY KEY (slip, day))",
};

const QString SelectSlips = QStringLiteral(
    "SELECT id, first_draw, draws, tip_price_cents, paid_cents FROM slips WHERE game = ? ORDER BY first_draw "
    "DESC, id DESC");
const QString SelectTips =
    QStringLiteral("SELECT tips.slip, numbers, extras FROM tips JOIN slips ON slips.id = tips.slip WHERE "
                   "slips.game = ? ORDER BY tips.slip, position");
const QString InsertSlip = QStringLiteral(
    "INSERT INTO slips (game, first_draw, draws, tip_price_cents, paid_cents) VALUES (?, ?, ?, ?, ?)");
const QString InsertTip =
    QStringLiteral("INSERT INTO tips (slip, position, numbers, extras) VALUES (?, ?, ?, ?)");
const QString SelectSeen = QStringLiteral(
    "SELECT seen.slip, day, draw, ranks FROM seen JOIN slips ON slips.id = seen.slip WHERE slips.game = ?");
const QString InsertSeen =
    QStringLiteral("INSERT OR REPLACE INTO seen (slip, day, draw, ranks) VALUES (?, ?, ?, ?)");

// An empty text is stored as one, never as NULL, which the columns refuse.
QString text(const QString& t) {
    return t.isNull() ? QStringLiteral("") : t;
}

QString listText(const Numbers& numbers) {
    QStringList texts;
    for (const int n : numbers) texts << QString::number(n);
    return text(texts.join(QLatin1Char(' ')));
}

Numbers listOf(const QString& text) {
    Numbers numbers;
    for (const QString& n : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) numbers.push_back(n.toInt());
    return numbers;
}

QString numbersText(const Tip& tip) {
    return listText(tip.numbers);
}

// A tip's own further numbers: none of "6 aus 45", the Glückszahl, the stars.
QString extrasText(const Tip& tip) {
    return listText(tip.extras);
}

Tip tipOf(const QString& numbers, const QString& extras) {
    return {listOf(numbers), listOf(extras)};
}

QString ranksText(const Game& game, const std::vector<Tip>& tips, const Draw& draw) {
    QStringList ranks;
    for (const Tip& tip : tips) {
        const PrizeRank* rank = game.rankOf(tip, draw);
        ranks << (rank ? rank->name : QString());
    }
    return text(ranks.join(QLatin1Char(';')));
}

void toVersion1(const QString& c) {
    for (const char* sql : SchemaV1) run(c, QString::fromLatin1(sql));
}

// A draw as version 1 kept it: Game::drawText, "3 12 17 25 33 41 Z:7".
Draw drawOfVersion1(const QString& text) {
    Draw draw;
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) draw.numbers.push_back(parts[i].toInt());
    if (!parts.isEmpty()) draw.extras = {parts.last().section(QLatin1Char(':'), 1).toInt()};
    return draw;
}

void toVersion2(const QString& c) {
    for (const char* table : {"slips", "tips", "seen"})
        run(c, QStringLiteral("ALTER TABLE %1 RENAME TO v1_%1").arg(QLatin1String(table)));
    for (const char* sql : SchemaV2) run(c, QString::fromLatin1(sql));
    run(c, QStringLiteral(
               "INSERT INTO slips (id, game, first_draw, draws, tip_price_cents, paid_cents) SELECT id, "
               "game, first_draw, draws, tip_price_cents, paid_cents FROM v1_slips"));
    std::map<qint64, const Game*> games;
    QSqlQuery g = run(c, QStringLiteral("SELECT id, game FROM v1_slips"));
    each(g, [&](const QSqlQuery& q) { games[q.value(0).toLongLong()] = &Game::byValue(q.value(1).toInt()); });
    std::map<qint64, std::vector<Tip>> tips;
    QSqlQuery t =
        run(c, QStringLiteral("SELECT slip, n1, n2, n3, n4, n5, n6, extra FROM v1_tips ORDER BY slip, "
                              "position"));
    each(t, [&](const QSqlQuery& q) {
        const qint64 slip = q.value(0).toLongLong();
        Tip tip;
        for (int i = 1; i <= 6; ++i) tip.numbers.push_back(q.value(i).toInt());
        if (games.at(slip)->ownExtras()) tip.extras = {q.value(7).toInt()};
        tips[slip].push_back(tip);
    });
    for (const auto& [slip, list] : tips)
        for (std::size_t i = 0; i < list.size(); ++i)
            run(c, InsertTip, {slip, int(i), numbersText(list[i]), extrasText(list[i])});
    // What was said of a draw seen: the ranks its tips reached in it as it was seen.
    struct Row {
        qint64 slip;
        QString day;
        Draw draw;
    };
    std::vector<Row> seen;
    QSqlQuery s = run(c, QStringLiteral("SELECT slip, day, draw FROM v1_seen"));
    each(s, [&](const QSqlQuery& q) {
        seen.push_back(
            {q.value(0).toLongLong(), q.value(1).toString(), drawOfVersion1(q.value(2).toString())});
    });
    for (const Row& r : seen)
        run(c, InsertSeen,
            {r.slip, r.day, drawKey(r.draw), ranksText(*games.at(r.slip), tips[r.slip], r.draw)});
    for (const char* table : {"v1_seen", "v1_tips", "v1_slips"})
        run(c, QStringLiteral("DROP TABLE %1").arg(QLatin1String(table)));
}

// Step n takes a store of version n to version n + 1.
const std::vector<SqlStore::Step> Steps{toVersion1, toVersion2};

} // namespace

SlipStore::SlipStore(const QString& programDir)
    : SqlStore(programDir + QLatin1String(FileName), QStringLiteral("Scheine"), Steps) {}

std::vector<Slip> SlipStore::slips(const Game& game) {
    std::vector<Slip> slips;
    read([&](const QString& c) {
        QSqlQuery q = run(c, SelectSlips, {static_cast<int>(game.id)});
        std::map<qint64, std::size_t> at;
        each(q, [&](const QSqlQuery& row) {
            Slip s;
            s.id = row.value(0).toLongLong();
            s.game = &game;
            s.firstDraw = QDate::fromString(row.value(1).toString(), Qt::ISODate);
            s.draws = row.value(2).toInt();
            s.tipPriceCents = row.value(3).toInt();
            s.paidCents = row.value(4).toLongLong();
            at[s.id] = slips.size();
            slips.push_back(s);
        });
        QSqlQuery t = run(c, SelectTips, {static_cast<int>(game.id)});
        each(t, [&](const QSqlQuery& row) {
            slips[at.at(row.value(0).toLongLong())].tips.push_back(
                tipOf(row.value(1).toString(), row.value(2).toString()));
        });
    });
    return slips;
}

qint64 SlipStore::add(const Slip& slip) {
    open(true);
    qint64 id = 0;
    write(QStringLiteral("Der Schein konnte nicht gespeichert werden."), [&](const QString& c) {
        const QSqlQuery q = run(c, InsertSlip,
                                {static_cast<int>(slip.game->id), slip.firstDraw.toString(Qt::ISODate),
                                 slip.draws, slip.tipPriceCents, slip.paidCents});
        id = q.lastInsertId().toLongLong();
        for (std::size_t i = 0; i < slip.tips.size(); ++i)
            run(c, InsertTip, {id, int(i), numbersText(slip.tips[i]), extrasText(slip.tips[i])});
    });
    return id;
}

void SlipStore::change(const Slip& slip) {
    if (open(false).isEmpty()) throw AppError(QStringLiteral("Der Schein ist nicht mehr gespeichert."));
    write(QStringLiteral("Der Schein konnte nicht geändert werden."), [&](const QString& c) {
        hitsSlip(run(c, QStringLiteral("UPDATE slips SET first_draw = ?, draws = ? WHERE id = ?"),
                     {slip.firstDraw.toString(Qt::ISODate), slip.draws, slip.id}));
        run(c, QStringLiteral("DELETE FROM tips WHERE slip = ?"), {slip.id});
        for (std::size_t i = 0; i < slip.tips.size(); ++i)
            run(c, InsertTip, {slip.id, int(i), numbersText(slip.tips[i]), extrasText(slip.tips[i])});
    });
}

void SlipStore::remove(qint64 id) {
    if (open(false).isEmpty()) throw AppError(QStringLiteral("Der Schein ist nicht mehr gespeichert."));
    write(QStringLiteral("Der Schein konnte nicht gelöscht werden."), [id](const QString& c) {
        // Its tips and checks go with it.
        hitsSlip(run(c, QStringLiteral("DELETE FROM slips WHERE id = ?"), {id}));
    });
}

void SlipStore::setPaid(qint64 id, qint64 cents) {
    if (open(false).isEmpty()) throw AppError(QStringLiteral("Der Schein ist nicht mehr gespeichert."));
    write(QStringLiteral("Der ausbezahlte Betrag konnte nicht gespeichert werden."), [=](const QString& c) {
        hitsSlip(run(c, QStringLiteral("UPDATE slips SET paid_cents = ? WHERE id = ?"), {cents, id}));
    });
}

std::map<qint64, std::map<QDate, SlipStore::Seen>> SlipStore::seen(const Game& game) {
    std::map<qint64, std::map<QDate, Seen>> seen;
    read([&](const QString& c) {
        QSqlQuery q = run(c, SelectSeen, {static_cast<int>(game.id)});
        each(q, [&](const QSqlQuery& row) {
            Seen s{row.value(0).toLongLong(), QDate::fromString(row.value(1).toString(), Qt::ISODate),
                   row.value(2).toString(), row.value(3).toString().split(QLatin1Char(';'))};
            seen[s.slip][s.day] = s;
        });
    });
    return seen;
}

void SlipStore::markSeen(const std::vector<Seen>& seen) {
    if (seen.empty() || open(false).isEmpty()) return;
    write(QStringLiteral("Die geprüften Ziehungen der Scheine konnten nicht gespeichert werden."),
          [&seen](const QString& c) {
              for (const Seen& s : seen)
                  run(c, InsertSeen,
                      {s.slip, s.day.toString(Qt::ISODate), s.draw, text(s.ranks.join(QLatin1Char(';')))});
          });
}

void SlipStore::backUp(const QString& target) {
    const QString c = open(false);
    if (c.isEmpty()) throw AppError(QStringLiteral("Es ist noch kein Schein gespeichert."));
    const QString what = QStringLiteral("Die Scheine konnten nicht gesichert werden.");
    const QString shownTarget = QDir::toNativeSeparators(target);
    // The copy is made beside the target and takes its place only once it is whole.
    const QString part =
        target + QStringLiteral(".") + QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
    try {
        run(c, QStringLiteral("VACUUM INTO ?"), {part});
    } catch (const QSqlError& e) {
        QFile::remove(part);
        throw AppError(what + QLatin1Char(' ') + reasonOf(e, shownTarget));
    }
    const QByteArray partName = QFile::encodeName(part);
    const int fd = ::open(partName.constData(), O_RDONLY);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!synced || std::rename(partName.constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(part);
        throw AppError(what + QLatin1Char(' ') +
                       QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(shownTarget));
    }
}
