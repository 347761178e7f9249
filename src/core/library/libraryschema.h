#pragma once

#include "core/model/leadrow.h"

#include <QString>
#include <QtGlobal>

#include <array>

class SqliteDatabase;

// The layout of the library file, numbered in PRAGMA user_version:
// - companies: one row per known link, its cells in one blob (see cellblob.h), the times it was
//   first and last seen (milliseconds since the epoch), the search address it first came from,
//   and why fetching it failed ('' when it is complete);
// - exports: one row per company and file it was exported to;
// - company_text: a contentless full-text index of name, web site, city and e-mail (IndexedCells),
//   under the company's id. A new company is indexed by whoever inserts it; triggers keep the
//   index in step when cells change or a company goes. (A trigger on insert would make every
//   insert keep an undo copy of the pages it touches, which costs more than the insert.)
struct SchemaCheck {
    enum class State {
        Ready,      // the schema is there, made now or found whole
        Unreadable, // not a database, damaged, or not a library: the file should go aside
        Newer,      // made by a later version of the program: left as it is
        Failed      // could not be made: reason says why
    };
    State state = State::Failed;
    QString reason;
};

inline constexpr int LibrarySchemaVersion = 1;
// The cells in the full-text index, in the order of its columns.
inline constexpr std::array<int, 4> IndexedCells = {LeadRow::BusinessName, LeadRow::Website, LeadRow::City,
                                                    LeadRow::Email};

// How closely a file is looked at before it is used: wholly after a session that did not end
// (its -wal is still there), quickly after one that ended and left the file whole.
enum class Check { Whole, Quick };

// Checks the file behind a fresh connection and makes the schema in an empty one; fileSize is
// the file's size before the connection was made. The cell functions must already be registered.
SchemaCheck PrepareSchema(SqliteDatabase &db, Check depth, qint64 fileSize);
