#include "core/library/sqlitestatement.h"

#include <sqlite3.h>

void SqliteStatement::Finalize::operator()(sqlite3_stmt *statement) const {
    sqlite3_finalize(statement);
}

SqliteStatement::SqliteStatement(sqlite3_stmt *statement) : m_statement(statement) {}

SqliteStatement &SqliteStatement::begin() {
    sqlite3_reset(m_statement.get());
    sqlite3_clear_bindings(m_statement.get());
    m_bound.clear();
    m_status = SQLITE_OK;
    return *this;
}

void SqliteStatement::bind(int index, qint64 value) {
    sqlite3_bind_int64(m_statement.get(), index, value);
}

void SqliteStatement::bind(int index, const QString &text) {
    const QByteArray &utf8 = m_bound.emplace_back(text.toUtf8());
    sqlite3_bind_text(m_statement.get(), index, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
}

void SqliteStatement::bindBlob(int index, const QByteArray &bytes) {
    // An empty blob is still a blob, never NULL.
    const QByteArray &kept = m_bound.emplace_back(bytes);
    sqlite3_bind_blob(m_statement.get(), index, kept.isEmpty() ? "" : kept.constData(), int(kept.size()),
                      SQLITE_STATIC);
}

void SqliteStatement::bindUtf8(int index, QByteArrayView utf8) {
    sqlite3_bind_text(m_statement.get(), index, utf8.isEmpty() ? "" : utf8.data(), int(utf8.size()), SQLITE_STATIC);
}

void SqliteStatement::bindNull(int index) {
    sqlite3_bind_null(m_statement.get(), index);
}

bool SqliteStatement::step() {
    m_status = sqlite3_step(m_statement.get());
    return m_status == SQLITE_ROW;
}

bool SqliteStatement::failed() const {
    return m_status != SQLITE_OK && m_status != SQLITE_ROW && m_status != SQLITE_DONE;
}

void SqliteStatement::finish() {
    sqlite3_reset(m_statement.get());
}

qint64 SqliteStatement::int64(int column) const {
    return sqlite3_column_int64(m_statement.get(), column);
}

QString SqliteStatement::text(int column) const {
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement.get(), column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement.get(), column));
}

QByteArray SqliteStatement::blob(int column) const {
    const auto *bytes = static_cast<const char *>(sqlite3_column_blob(m_statement.get(), column));
    return QByteArray(bytes, sqlite3_column_bytes(m_statement.get(), column));
}
