#include "core/library/libraryquery.h"

#include "core/library/cellblob.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QStringList Conditions(const LibraryFilter &filter) {
    QStringList conditions;
    if (!FullTextQuery(filter.text).isEmpty()) {
        conditions << u"id IN (SELECT rowid FROM company_text WHERE company_text MATCH ?1)"_s;
    }
    if (!filter.searchAddress.isEmpty()) {
        conditions << u"search_address = ?2"_s;
    }
    if (filter.seenFrom.isValid()) {
        conditions << u"last_seen >= ?3"_s;
    }
    if (filter.seenTo.isValid()) {
        conditions << u"last_seen <= ?4"_s;
    }
    return conditions;
}

QString WhereClause(const QStringList &conditions) {
    return conditions.isEmpty() ? QString() : u" WHERE "_s + conditions.join(u" AND "_s);
}

} // namespace

QString FilterConditions(const LibraryFilter &filter) {
    return WhereClause(Conditions(filter));
}

SqliteStatement FilteredQuery(const SqliteDatabase &db, const QString &what, const LibraryFilter &filter,
                              const QString &condition, const QString &tail) {
    const QString words = FullTextQuery(filter.text);
    QStringList conditions = Conditions(filter);
    if (!condition.isEmpty()) {
        conditions << condition;
    }
    const QString sql = u"SELECT "_s + what + u" FROM companies"_s + WhereClause(conditions);
    SqliteStatement statement = db.prepare(sql + u' ' + tail);
    if (!statement.isValid()) {
        return statement;
    }
    statement.begin();
    if (!words.isEmpty()) {
        statement.bind(1, words);
    }
    if (!filter.searchAddress.isEmpty()) {
        statement.bind(2, filter.searchAddress);
    }
    if (filter.seenFrom.isValid()) {
        statement.bind(3, filter.seenFrom.toMSecsSinceEpoch());
    }
    if (filter.seenTo.isValid()) {
        statement.bind(4, filter.seenTo.toMSecsSinceEpoch());
    }
    return statement;
}

LibraryEntry EntryOf(const SqliteStatement &statement) {
    LibraryEntry entry;
    entry.id = statement.int64(0);
    entry.row = DecodeCells(statement.blob(1));
    entry.firstSeen = QDateTime::fromMSecsSinceEpoch(statement.int64(2), Qt::UTC);
    entry.lastSeen = QDateTime::fromMSecsSinceEpoch(statement.int64(3), Qt::UTC);
    entry.searchAddress = statement.text(4);
    entry.failure = statement.text(5);
    return entry;
}
