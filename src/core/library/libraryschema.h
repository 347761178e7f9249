#pragma once

#include <QString>

class SqliteDatabase;

// The layout of the library file, numbered in PRAGMA user_version:
// - companies: one row per known link, its cells in one blob (see cellblob.h), the times it was
//   first and last seen (milliseconds since the epoch), the search address it first came from,
//   and why fetching it failed ('' when it is complete);
// - exports: one row per company and file it was exported to;
// - company_text: a contentless full-text index of name, web site, city and e-mail, kept in
//   step with companies by triggers.
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

// Checks the file behind a fresh connection and makes the schema in an empty one. The cell
// functions must already be registered.
SchemaCheck PrepareSchema(SqliteDatabase &db);
