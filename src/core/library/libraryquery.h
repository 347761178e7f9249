#pragma once

#include "core/library/libraryentry.h"
#include "core/library/libraryfilter.h"
#include "core/library/sqlitedatabase.h"

// The columns EntryOf reads, in its order.
inline constexpr const char *EntryColumns = "id, cells, first_seen, last_seen, search_address, failure";

// "SELECT <what> FROM companies", narrowed by the filter, followed by tail, prepared and bound.
// The filter takes parameters 1 to 4; tail may use 10 and up. Invalid when it does not compile.
SqliteStatement FilteredQuery(const SqliteDatabase &db, const QString &what, const LibraryFilter &filter,
                              const QString &tail);

// The entry in the statement's current row, read from EntryColumns.
LibraryEntry EntryOf(const SqliteStatement &statement);
