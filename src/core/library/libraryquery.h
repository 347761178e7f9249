#pragma once

#include "core/library/libraryentry.h"
#include "core/library/libraryfilter.h"
#include "core/library/sqlitedatabase.h"

// The columns EntryOf reads, in its order.
inline constexpr const char *EntryColumns = "id, cells, first_seen, last_seen, search_address, failure";

// " WHERE ..." for the filter's conditions, with its parameters numbered 1 to 4; empty when it
// lets everything through.
QString FilterConditions(const LibraryFilter &filter);

// "SELECT <what> FROM companies", narrowed by the filter and the further condition, followed by
// tail, prepared and bound. The filter takes parameters 1 to 4, which condition may use again;
// condition and tail may use 10 and up. Invalid when it does not compile.
SqliteStatement FilteredQuery(const SqliteDatabase &db, const QString &what, const LibraryFilter &filter,
                              const QString &condition, const QString &tail);

// The entry in the statement's current row, read from EntryColumns.
LibraryEntry EntryOf(const SqliteStatement &statement);
