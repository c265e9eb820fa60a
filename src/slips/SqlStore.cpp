#include "slips/SqlStore.h"

#include "platform/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>
#include <QVariant>

SqlStore::SqlStore(QString path, QString of, std::vector<Step> steps)
    : path_(std::move(path)), of_(std::move(of)), steps_(std::move(steps)) {}

SqlStore::~SqlStore() {
    if (connection_.isEmpty()) return;
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

bool SqlStore::exists() const {
    return QFileInfo(path_).isFile();
}

QString SqlStore::shown() const {
    return QDir::toNativeSeparators(path_);
}

QString SqlStore::reasonOf(const QSqlError& error) const {
    return reasonOf(error, shown());
}

QString SqlStore::reasonOf(const QSqlError& error, const QString& file) const {
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return QStringLiteral("Die Datei \"%1\" wird gerade von einem anderen Programm benutzt.").arg(file);
    case 8:  // SQLITE_READONLY
    case 23: // SQLITE_AUTH
        return QStringLiteral("Die Datei \"%1\" oder ihr Ordner kann nicht beschrieben werden.").arg(file);
    case 13: // SQLITE_FULL
        return QStringLiteral("Der Datenträger der Datei \"%1\" ist voll.").arg(file);
    case 14: // SQLITE_CANTOPEN
        return QStringLiteral("Die Datei \"%1\" kann nicht geöffnet oder angelegt werden.").arg(file);
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return QStringLiteral(
                   "Die Datei \"%1\" ist beschädigt oder keine Datenbank der %2; sie bleibt, wie sie "
                   "ist.")
            .arg(file, of_);
    default:
        return QStringLiteral("Die Datei \"%1\" konnte nicht gelesen oder geschrieben werden.").arg(file);
    }
}

QString SqlStore::damaged() const {
    return QStringLiteral(
               "Die Datei \"%1\" ist beschädigt oder keine Datenbank der %2; sie bleibt, wie sie ist.")
        .arg(shown(), of_);
}

QString SqlStore::foreign() const {
    return QStringLiteral("Die Datei \"%1\" ist keine Datenbank der %2; sie bleibt, wie sie ist.")
        .arg(shown(), of_);
}

QSqlQuery SqlStore::run(const QString& connection, const QString& sql, const QVariantList& values) {
    QSqlQuery query(QSqlDatabase::database(connection, false));
    if (!query.prepare(sql)) throw query.lastError();
    for (const QVariant& v : values) query.addBindValue(v);
    if (!query.exec()) throw query.lastError();
    return query;
}

QString SqlStore::open(bool create) {
    if (!connection_.isEmpty()) return connection_;
    const QFileInfo file(path_);
    const bool existed = file.exists();
    if (!existed && !create) return {};
    if (existed && !file.isFile()) throw AppError(foreign());
    // Only a file this program makes may be empty: an empty one that is there lost what it held somewhere.
    if (existed && file.size() == 0 && !create)
        throw AppError(QStringLiteral("Die Datei \"%1\" ist leer; die %2 darin fehlen.").arg(shown(), of_));
    const QString name = QStringLiteral("store-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path_);
        // A store another program holds is told after a second, not after the driver's five on the window's
        // thread.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
        if (!db.open()) {
            const QString reason = reasonOf(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw AppError(reason);
        }
    }
    connection_ = name;
    try {
        prepare(name, existed && file.size() > 0);
    } catch (...) {
        // Nothing stays open of a store that cannot be used, and no file is left of one that was not made.
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
        connection_.clear();
        if (!existed) QFile::remove(path_);
        throw;
    }
    return connection_;
}

void SqlStore::prepare(const QString& c, bool existed) {
    try {
        if (existed) {
            QSqlQuery check = run(c, QStringLiteral("PRAGMA quick_check"));
            if (!check.next() || check.value(0).toString() != QLatin1String("ok")) throw AppError(damaged());
        }
        QSqlQuery versionQuery = run(c, QStringLiteral("PRAGMA user_version"));
        const int version = versionQuery.next() ? versionQuery.value(0).toInt() : 0;
        versionQuery.finish();
        if (version > currentVersion())
            throw AppError(
                QStringLiteral("Die Datei \"%1\" stammt von einer neueren Version des Programms; sie "
                               "bleibt, wie sie ist.")
                    .arg(shown()));
        if (version < 0) throw AppError(foreign());
        if (version == 0) {
            // Only an empty database becomes a store: anything else is someone else's data.
            QSqlQuery tables = run(c, QStringLiteral("SELECT count(*) FROM sqlite_master"));
            if (tables.next() && tables.value(0).toInt() > 0) throw AppError(foreign());
        }
        for (int v = version; v < currentVersion(); ++v)
            write(QStringLiteral(
                      "Die Datei \"%1\" konnte nicht auf den Stand dieses Programms gebracht werden.")
                      .arg(shown()),
                  [this, v](const QString& connection) {
                      steps_[std::size_t(v)](connection);
                      run(connection, QStringLiteral("PRAGMA user_version = %1").arg(v + 1));
                  });
        // SQLite keeps the declared foreign keys only on a connection that asks for them.
        run(c, QStringLiteral("PRAGMA foreign_keys = ON"));
    } catch (const QSqlError& e) {
        throw AppError(reasonOf(e));
    }
}

void SqlStore::write(const QString& what, const std::function<void(const QString& connection)>& writes) {
    // The transaction's own statements run as any other, so that SQLite's code of a failed BEGIN or COMMIT
    // (another program holds the file, a full disk) gives its reason.
    const auto rollBack = [this] {
        QSqlQuery(QSqlDatabase::database(connection_, false)).exec(QStringLiteral("ROLLBACK"));
    };
    try {
        run(connection_, QStringLiteral("BEGIN IMMEDIATE"));
    } catch (const QSqlError& e) {
        throw AppError(what + QLatin1Char(' ') + reasonOf(e));
    }
    try {
        writes(connection_);
        run(connection_, QStringLiteral("COMMIT"));
    } catch (const QSqlError& e) {
        rollBack();
        throw AppError(what + QLatin1Char(' ') + reasonOf(e));
    } catch (...) {
        rollBack();
        throw;
    }
}

void SqlStore::read(const std::function<void(const QString& connection)>& reads) {
    const QString c = open(false);
    if (c.isEmpty()) return;
    try {
        reads(c);
    } catch (const QSqlError& e) {
        throw AppError(reasonOf(e));
    }
}

void SqlStore::verify() {
    open(false);
}

int SqlStore::schemaVersion() {
    int version = 0;
    read([&version](const QString& c) {
        QSqlQuery q = run(c, QStringLiteral("PRAGMA user_version"));
        version = q.next() ? q.value(0).toInt() : 0;
    });
    return version;
}
