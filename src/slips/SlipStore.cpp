#include "slips/SlipStore.h"

#include "platform/AppError.h"
#include "platform/Dates.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace {

// Why the store failed, in German, told by SQLite's own code; its English words never reach the user.
QString reasonOf(const QSqlError& error, const QString& shown) {
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return QStringLiteral("Die Datei \"%1\" wird gerade von einem anderen Programm benutzt.").arg(shown);
    case 8:  // SQLITE_READONLY
    case 23: // SQLITE_AUTH
        return QStringLiteral("Die Datei \"%1\" oder ihr Ordner kann nicht beschrieben werden.").arg(shown);
    case 13: // SQLITE_FULL
        return QStringLiteral("Der Datenträger der Datei \"%1\" ist voll.").arg(shown);
    case 14: // SQLITE_CANTOPEN
        return QStringLiteral("Die Datei \"%1\" kann nicht geöffnet oder angelegt werden.").arg(shown);
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return QStringLiteral(
                   "Die Datei \"%1\" ist beschädigt oder keine Datenbank der Scheine; sie bleibt, wie "
                   "sie ist.")
            .arg(shown);
    default:
        return QStringLiteral("Die Datei \"%1\" konnte nicht gelesen oder geschrieben werden.").arg(shown);
    }
}

QSqlQuery run(const QString& connection, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery query(QSqlDatabase::database(connection, false));
    if (!query.prepare(sql)) throw query.lastError();
    for (const QVariant& v : values) query.addBindValue(v);
    if (!query.exec()) throw query.lastError();
    return query;
}

const char* const Schema[] = {
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

} // namespace

SlipStore::SlipStore(QString programDir) : dir_(std::move(programDir)) {}

SlipStore::~SlipStore() {
    if (connection_.isEmpty()) return;
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

QString SlipStore::path() const {
    return dir_ + QLatin1String(FileName);
}

bool SlipStore::exists() const {
    return QFileInfo(path()).isFile();
}

QString SlipStore::open(bool create) {
    if (!connection_.isEmpty()) return connection_;
    const QString shown = QDir::toNativeSeparators(path());
    if (!exists() && !create) return {};
    const QString name = QStringLiteral("slips-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path());
        if (!db.open()) {
            const QString reason = reasonOf(db.lastError(), shown);
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw AppError(reason);
        }
    }
    // Nothing stays open of a store that cannot be used.
    const auto forget = [this, &name] {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
        connection_.clear();
    };
    try {
        QSqlQuery versionQuery = run(name, QStringLiteral("PRAGMA user_version"));
        const int version = versionQuery.next() ? versionQuery.value(0).toInt() : 0;
        versionQuery.finish();
        if (version > SchemaVersion)
            throw AppError(
                QStringLiteral("Die Datei \"%1\" stammt von einer neueren Version des Programms; sie "
                               "bleibt, wie sie ist.")
                    .arg(shown));
        if (version == 0) {
            // Only an empty file becomes a store: anything else is someone else's data.
            QSqlQuery tables = run(name, QStringLiteral("SELECT count(*) FROM sqlite_master"));
            if (tables.next() && tables.value(0).toInt() > 0)
                throw AppError(
                    QStringLiteral("Die Datei \"%1\" ist keine Datenbank der Scheine; sie bleibt, wie "
                                   "sie ist.")
                        .arg(shown));
            connection_ = name;
            write(QStringLiteral("Die Datei \"%1\" konnte nicht angelegt werden.").arg(shown),
                  [](const QString& c) {
                      for (const char* sql : Schema) run(c, QString::fromLatin1(sql));
                      run(c, QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
                  });
        }
    } catch (const QSqlError& e) {
        forget();
        throw AppError(reasonOf(e, shown));
    } catch (const AppError&) {
        forget();
        throw;
    }
    connection_ = name;
    return connection_;
}

void SlipStore::write(const QString& what, const std::function<void(const QString& connection)>& writes) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const QString shown = QDir::toNativeSeparators(path());
    if (!db.transaction()) throw AppError(what + QLatin1Char(' ') + reasonOf(db.lastError(), shown));
    try {
        writes(connection_);
        if (!db.commit()) throw db.lastError();
    } catch (const QSqlError& e) {
        db.rollback();
        throw AppError(what + QLatin1Char(' ') + reasonOf(e, shown));
    } catch (...) {
        db.rollback();
        throw;
    }
}

void SlipStore::read(const std::function<void(const QString& connection)>& reads) {
    const QString c = open(false);
    if (c.isEmpty()) return;
    try {
        reads(c);
    } catch (const QSqlError& e) {
        throw AppError(reasonOf(e, QDir::toNativeSeparators(path())));
    }
}

void SlipStore::verify() {
    open(false);
}

int SlipStore::schemaVersion() {
    int version = 0;
    read([&version](const QString& c) {
        QSqlQuery q = run(c, QStringLiteral("PRAGMA user_version"));
        version = q.next() ? q.value(0).toInt() : 0;
    });
    return version;
}

std::vector<Slip> SlipStore::slips(const Game& game) {
    std::vector<Slip> slips;
    read([&](const QString& c) {
        QSqlQuery q =
            run(c,
                QStringLiteral("SELECT id, first_draw, draws, tip_price_cents, paid_cents FROM slips WHERE "
                               "game = ? ORDER BY first_draw DESC, id DESC"),
                {static_cast<int>(game.id)});
        std::map<qint64, std::size_t> at;
        while (q.next()) {
            Slip s;
            s.id = q.value(0).toLongLong();
            s.game = &game;
            s.firstDraw = QDate::fromString(q.value(1).toString(), Qt::ISODate);
            s.draws = q.value(2).toInt();
            s.tipPriceCents = q.value(3).toInt();
            s.paidCents = q.value(4).toLongLong();
            at[s.id] = slips.size();
            slips.push_back(s);
        }
        QSqlQuery t =
            run(c,
                QStringLiteral("SELECT tips.slip, n1, n2, n3, n4, n5, n6, extra FROM tips JOIN slips ON "
                               "slips.id = tips.slip WHERE slips.game = ? ORDER BY tips.slip, position"),
                {static_cast<int>(game.id)});
        while (t.next()) {
            Tip tip;
            for (int i = 0; i < NumbersDrawn; ++i) tip.numbers[std::size_t(i)] = t.value(1 + i).toInt();
            tip.extra = t.value(7).toInt();
            slips[at.at(t.value(0).toLongLong())].tips.push_back(tip);
        }
    });
    return slips;
}

qint64 SlipStore::add(const Slip& slip) {
    open(true);
    qint64 id = 0;
    write(QStringLiteral("Der Schein konnte nicht gespeichert werden."), [&](const QString& c) {
        const QSqlQuery q =
            run(c,
                QStringLiteral("INSERT INTO slips (game, first_draw, draws, tip_price_cents, paid_cents) "
                               "VALUES (?, ?, ?, ?, ?)"),
                {static_cast<int>(slip.game->id), slip.firstDraw.toString(Qt::ISODate), slip.draws,
                 slip.tipPriceCents, slip.paidCents});
        id = q.lastInsertId().toLongLong();
        for (std::size_t i = 0; i < slip.tips.size(); ++i) {
            const Tip& tip = slip.tips[i];
            QVariantList values{id, int(i)};
            for (const int n : tip.numbers) values << n;
            values << tip.extra;
            run(c, QStringLiteral("INSERT INTO tips VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"), values);
        }
    });
    return id;
}

void SlipStore::remove(qint64 id) {
    if (open(false).isEmpty()) return;
    write(QStringLiteral("Der Schein konnte nicht gelöscht werden."), [id](const QString& c) {
        for (const char* table : {"seen", "tips"})
            run(c, QStringLiteral("DELETE FROM %1 WHERE slip = ?").arg(QLatin1String(table)), {id});
        run(c, QStringLiteral("DELETE FROM slips WHERE id = ?"), {id});
    });
}

void SlipStore::setPaid(qint64 id, qint64 cents) {
    if (open(false).isEmpty()) return;
    write(QStringLiteral("Der ausbezahlte Betrag konnte nicht gespeichert werden."), [=](const QString& c) {
        run(c, QStringLiteral("UPDATE slips SET paid_cents = ? WHERE id = ?"), {cents, id});
    });
}

std::map<qint64, std::map<QDate, QString>> SlipStore::seen(const Game& game) {
    std::map<qint64, std::map<QDate, QString>> seen;
    read([&](const QString& c) {
        QSqlQuery q =
            run(c,
                QStringLiteral("SELECT seen.slip, day, draw FROM seen JOIN slips ON slips.id = seen.slip "
                               "WHERE slips.game = ?"),
                {static_cast<int>(game.id)});
        while (q.next())
            seen[q.value(0).toLongLong()][QDate::fromString(q.value(1).toString(), Qt::ISODate)] =
                q.value(2).toString();
    });
    return seen;
}

void SlipStore::markSeen(const std::vector<Seen>& seen) {
    if (seen.empty() || open(false).isEmpty()) return;
    write(QStringLiteral("Die geprüften Ziehungen der Scheine konnten nicht gespeichert werden."),
          [&seen](const QString& c) {
              for (const Seen& s : seen)
                  run(c, QStringLiteral("INSERT OR REPLACE INTO seen (slip, day, draw) VALUES (?, ?, ?)"),
                      {s.slip, s.day.toString(Qt::ISODate), s.draw});
          });
}
