#pragma once

#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <functional>
#include <vector>

// The rules of the program's SQLite stores (the slips, the quotas), through Qt SQL: a store is opened on
// first use and checked (PRAGMA quick_check); its schema carries its version (PRAGMA user_version), and an
// older store is taken to this program's version step by step, each step one transaction. Every write is one
// transaction: it is done whole, or the store stays as it was and AppError says why in German. A store that
// cannot be read - damaged, empty, no store of its kind, of a newer program - is never replaced or emptied:
// AppError names its file. Until the first write there is no file.
class SqlStore {
public:
    // A step takes a store of the version of its place to the next.
    using Step = void (*)(const QString& connection);

    // `of`: what the store holds, as the texts name it ("Scheine").
    SqlStore(QString path, QString of, std::vector<Step> steps);
    virtual ~SqlStore();
    SqlStore(const SqlStore&) = delete;
    SqlStore& operator=(const SqlStore&) = delete;

    QString path() const { return path_; }
    bool exists() const;
    // Opens the store, when there is one, checks it and takes it to this version: throws AppError when it
    // cannot be used.
    void verify();
    int schemaVersion();
    int currentVersion() const { return int(steps_.size()); }

    // One statement, its values bound in order; SQLite's error, code and all, is thrown.
    static QSqlQuery run(const QString& connection, const QString& sql, const QVariantList& values = {});
    // Every row of a query. SQLite tells a damaged page where the reading reaches it, not at the query's
    // start: the end of the rows is asked whether it was one.
    template <typename Row> static void each(QSqlQuery& query, Row&& row) {
        while (query.next()) row(query);
        if (query.lastError().isValid()) throw query.lastError();
    }

protected:
    // The open connection's name; opened on first use. `create`: a missing or empty store is made. Empty
    // when there is none.
    QString open(bool create);
    // Runs the reads on the store, when there is one; a failure throws AppError naming the file.
    void read(const std::function<void(const QString& connection)>& reads);
    // Runs the writes in one transaction; a failure rolls back and throws AppError beginning with `what`.
    void write(const QString& what, const std::function<void(const QString& connection)>& writes);
    QString shown() const;
    // Why it failed, in German, told by SQLite's own code; its English words never reach the user.
    QString reasonOf(const QSqlError& error) const;
    QString reasonOf(const QSqlError& error, const QString& shownFile) const;

private:
    void prepare(const QString& connection, bool existed);
    QString damaged() const;
    QString foreign() const;

    QString path_;
    QString of_;
    std::vector<Step> steps_;
    QString connection_;
};
