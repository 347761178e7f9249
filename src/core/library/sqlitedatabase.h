#pragma once

#include "core/library/sqlitestatement.h"

#include <QString>

#include <memory>

struct sqlite3;

// A connection to one SQLite file, closed when it goes. Statements may outlive it: the
// connection is released once the last of them is finalized.
class SqliteDatabase {
public:
    // Opens the file for reading and writing, creating it when missing; false, with
    // errorString() saying why, when it cannot.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Whether closing the last connection folds the -wal file into the database and removes it.
    void setCheckpointOnClose(bool checkpoint);
    // Runs statements that return no rows; false on the first that fails.
    bool exec(const char *sql);
    // An invalid statement when the text does not compile.
    SqliteStatement prepare(const QString &sql) const;

    // The first row's first column of a query as text; empty when there is no row or it failed.
    QString queryText(const char *sql) const;

    int errorCode() const;
    QString errorString() const;
    sqlite3 *handle() const { return m_db.get(); }

private:
    struct Close {
        void operator()(sqlite3 *db) const;
    };
    std::unique_ptr<sqlite3, Close> m_db;
    // Set when the connection could not be made, so the reason outlives it.
    QString m_openError;
};
