#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

struct sqlite3_stmt;

// A prepared statement, finalized when it goes. Every use starts with begin(), which rewinds it
// and clears its parameters, and ends with finish(), so no read stays open between uses.
class SqliteStatement {
public:
    SqliteStatement() = default;
    explicit SqliteStatement(sqlite3_stmt *statement);

    bool isValid() const { return m_statement != nullptr; }

    SqliteStatement &begin();
    // Parameters are numbered from 1; text and blobs are kept until the next begin().
    void bind(int index, qint64 value);
    void bind(int index, const QString &text);
    void bindBlob(int index, const QByteArray &bytes);
    // UTF-8 text read in place: the bytes must outlive the next step.
    void bindUtf8(int index, QByteArrayView utf8);
    void bindNull(int index);

    // One step: true while a row is there; false when done or on an error (see status()).
    bool step();
    // The result of the last step: SQLITE_ROW, SQLITE_DONE or an error code.
    int status() const { return m_status; }
    bool failed() const;
    void finish();

    // Columns of the current row, numbered from 0.
    qint64 int64(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

private:
    struct Finalize {
        void operator()(sqlite3_stmt *statement) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalize> m_statement;
    int m_status = 0;
    // The bound bytes: SQLite reads them in place rather than copying every row's cells.
    std::vector<QByteArray> m_bound;
};
