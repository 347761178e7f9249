#include "core/library/libraryschema.h"

#include "core/library/sqlitedatabase.h"
#include "core/model/leadrow.h"

#include <QStringList>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

QString CellValues(const char *row) {
    QStringList values;
    for (const int cell : IndexedCells) {
        values << u"lead_cell(%1.cells, %2)"_s.arg(QLatin1StringView(row)).arg(cell);
    }
    return values.join(u", "_s);
}

QString SchemaSql() {
    const QString insert =
        u"INSERT INTO company_text(rowid, name, website, city, email) VALUES (new.id, "_s + CellValues("new") + u");"_s;
    const QString remove = u"INSERT INTO company_text(company_text, rowid, name, website, city, email) "
                           u"VALUES ('delete', old.id, "_s +
                           CellValues("old") + u");"_s;
    return u"BEGIN;"
           u"CREATE TABLE companies ("
           u"  id INTEGER PRIMARY KEY,"
           u"  link_key TEXT NOT NULL UNIQUE,"
           u"  cells BLOB NOT NULL,"
           u"  first_seen INTEGER NOT NULL,"
           u"  last_seen INTEGER NOT NULL,"
           u"  search_address TEXT NOT NULL,"
           u"  failure TEXT NOT NULL);"
           u"CREATE INDEX companies_by_address ON companies(search_address);"
           u"CREATE INDEX companies_by_last_seen ON companies(last_seen);"
           u"CREATE INDEX companies_failed ON companies(id) WHERE failure <> '';"
           // The ids alone, so a page deep in the list is found without reading the rows before it.
           u"CREATE INDEX companies_in_order ON companies(id);"
           u"CREATE TABLE exports ("
           u"  company_id INTEGER NOT NULL REFERENCES companies(id) ON DELETE CASCADE,"
           u"  file_path TEXT NOT NULL,"
           u"  exported_at INTEGER NOT NULL);"
           u"CREATE INDEX exports_by_company ON exports(company_id);"
           u"CREATE VIRTUAL TABLE company_text USING fts5(name, website, city, email, content='',"
           u"  tokenize='unicode61 remove_diacritics 2');"
           u"CREATE TRIGGER companies_removed AFTER DELETE ON companies BEGIN "_s +
           remove +
           u" END;"
           u"CREATE TRIGGER companies_changed AFTER UPDATE OF cells ON companies BEGIN "_s +
           remove + insert +
           u" END;"
           u"PRAGMA user_version = "_s +
           QString::number(LibrarySchemaVersion) + u"; COMMIT;"_s;
}

bool HasEveryPart(SqliteDatabase &db) {
    return db.queryText("SELECT count(*) FROM sqlite_schema WHERE name IN ('companies', 'exports', 'company_text', "
                        "'companies_removed', 'companies_changed')") == u"5"_s;
}

// "ok", a reason, or empty when SQLite could not read the file (its error says why).
QString QuickCheck(SqliteDatabase &db, qint64 fileSize) {
    // The count reads the header: a file that is no database fails here, with SQLite's error.
    const QString pages = db.queryText("PRAGMA page_count");
    if (pages.isEmpty()) {
        return {};
    }
    const QString pageSize = db.queryText("PRAGMA page_size");
    if (pages.toLongLong() * pageSize.toLongLong() > fileSize) {
        return u"the file is shorter than its %1 pages"_s.arg(pages);
    }
    return u"ok"_s;
}

} // namespace

SchemaCheck PrepareSchema(SqliteDatabase &db, Check depth, qint64 fileSize) {
    using State = SchemaCheck::State;
    // The whole check reads every page: a file cut short or overwritten shows here, not in the
    // middle of a run. The quick one reads the header and the schema, and compares the size the
    // header gives with the file's.
    const QString check = depth == Check::Whole ? db.queryText("PRAGMA quick_check") : QuickCheck(db, fileSize);
    if (check.isEmpty()) {
        // Only a file that is not a database or is damaged goes aside; a busy or unreadable
        // one stays where it is.
        const int code = db.errorCode() & 0xff;
        const bool damaged = code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
        return {damaged ? State::Unreadable : State::Failed, db.errorString()};
    }
    if (check != u"ok"_s) {
        return {State::Unreadable, check};
    }
    const int version = db.queryText("PRAGMA user_version").toInt();
    if (version > LibrarySchemaVersion) {
        return {State::Newer, u"schema version %1 is newer than %2"_s.arg(version).arg(LibrarySchemaVersion)};
    }
    if (version == LibrarySchemaVersion) {
        return HasEveryPart(db) ? SchemaCheck{State::Ready, {}}
                                : SchemaCheck{State::Unreadable, u"tables of the library are missing"_s};
    }
    if (db.queryText("SELECT count(*) FROM sqlite_schema") != u"0"_s) {
        return {State::Unreadable, u"the file holds another database"_s};
    }
    if (!db.exec(SchemaSql().toUtf8().constData())) {
        const QString reason = db.errorString();
        db.exec("ROLLBACK");
        return {State::Failed, reason};
    }
    return {State::Ready, {}};
}
