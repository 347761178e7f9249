#include "core/library/sqlitedatabase.h"

#include <sqlite3.h>

void SqliteDatabase::Close::operator()(sqlite3 *db) const {
    sqlite3_close_v2(db);
}

bool SqliteDatabase::open(const QString &path) {
    close();
    sqlite3 *db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    const int status = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    m_db.reset(db);
    if (status != SQLITE_OK) {
        m_openError = db != nullptr ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(status));
        m_db.reset();
        return false;
    }
    m_openError.clear();
    sqlite3_extended_result_codes(db, 1);
    return true;
}

void SqliteDatabase::close() {
    m_db.reset();
}

void SqliteDatabase::setCheckpointOnClose(bool checkpoint) {
    sqlite3_db_config(m_db.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, checkpoint ? 0 : 1, nullptr);
}

bool SqliteDatabase::exec(const char *sql) {
    return sqlite3_exec(m_db.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

SqliteStatement SqliteDatabase::prepare(const QString &sql) const {
    sqlite3_stmt *statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(m_db.get(), utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return {};
    }
    return SqliteStatement(statement);
}

QString SqliteDatabase::queryText(const char *sql) const {
    SqliteStatement statement = prepare(QString::fromUtf8(sql));
    if (!statement.isValid() || !statement.begin().step()) {
        return {};
    }
    return statement.text(0);
}

int SqliteDatabase::errorCode() const {
    return m_db ? sqlite3_errcode(m_db.get()) : SQLITE_CANTOPEN;
}

QString SqliteDatabase::errorString() const {
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db.get())) : m_openError;
}
