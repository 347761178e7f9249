// The library's views and its changes by id or link: everything but adding rows.
#include "core/extraction/duplicateditems.h"
#include "core/library/leadlibrary.h"
#include "core/library/libraryquery.h"

#include <algorithm>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

bool LeadLibrary::contains(const QString &link) const {
    const QString key = KnownLinkKey(link);
    if (m_queuedKeys.contains(key)) {
        return true;
    }
    if (!isOpen()) {
        return false;
    }
    m_lookup.begin().bind(1, key);
    const bool found = m_lookup.step();
    m_lookup.finish();
    return found;
}

template<typename Keys>
LibraryResult<int> LeadLibrary::changeEach(const QString &sql, const Keys &keys, const QString &filePath) {
    const LibraryResult<int> written = flush();
    if (!written.ok()) {
        return written;
    }
    SqliteStatement statement = m_db.prepare(sql);
    if (!statement.isValid()) {
        return LibraryResult<int>::failure(errorText("cannot read the library"));
    }
    const qint64 now = m_clock();
    return inTransaction([&] {
        int changed = 0;
        for (const auto &key : keys) {
            statement.begin().bind(1, key);
            if (!filePath.isEmpty()) {
                statement.bind(2, filePath);
                statement.bind(3, now);
            }
            statement.step();
            statement.finish();
            if (statement.failed()) {
                return -1;
            }
            changed += sqlite3_changes(m_db.handle());
        }
        return changed;
    });
}

LibraryResult<int> LeadLibrary::markExported(const QList<qint64> &ids, const QString &filePath) {
    return changeEach(u"INSERT INTO exports (company_id, file_path, exported_at) "
                      u"SELECT id, ?2, ?3 FROM companies WHERE id = ?1"_s,
                      ids, filePath);
}

LibraryResult<int> LeadLibrary::markExportedLinks(const QStringList &links, const QString &filePath) {
    QStringList keys;
    keys.reserve(links.size());
    for (const QString &link : links) {
        keys << KnownLinkKey(link);
    }
    return changeEach(u"INSERT INTO exports (company_id, file_path, exported_at) "
                      u"SELECT id, ?2, ?3 FROM companies WHERE link_key = ?1"_s,
                      keys, filePath);
}

LibraryResult<int> LeadLibrary::remove(const QList<qint64> &ids) {
    m_matches.valid = false;
    return changeEach(u"DELETE FROM companies WHERE id = ?1"_s, ids);
}

QList<bool> LeadLibrary::notExported(const QStringList &links) const {
    QList<bool> flags;
    flags.reserve(links.size());
    for (const QString &link : links) {
        bool exported = false;
        if (isOpen()) {
            m_exported.begin().bind(1, KnownLinkKey(link));
            exported = m_exported.step() && m_exported.int64(0) != 0;
            m_exported.finish();
        }
        flags << !exported;
    }
    return flags;
}

LibraryResult<QStringList> LeadLibrary::exportFiles(qint64 id) const {
    SqliteStatement statement = m_db.prepare(u"SELECT file_path FROM exports WHERE company_id = ?1 ORDER BY rowid"_s);
    if (!statement.isValid()) {
        return LibraryResult<QStringList>::failure(errorText("cannot read the library"));
    }
    QStringList files;
    statement.begin().bind(1, id);
    while (statement.step()) {
        files << statement.text(0);
    }
    if (statement.failed()) {
        return LibraryResult<QStringList>::failure(errorText("cannot read the library"));
    }
    return {files, {}};
}

const std::vector<qint64> *LeadLibrary::matchingIds(const LibraryFilter &filter) const {
    if (FullTextQuery(filter.text).isEmpty()) {
        return nullptr;
    }
    if (m_matches.valid && m_matches.filter == filter) {
        return &m_matches.ids;
    }
    m_matches.valid = false;
    // Words alone are answered by the text index itself: every company is in it, under its id.
    const bool wordsAlone = filter.searchAddress.isEmpty() && !filter.seenFrom.isValid() && !filter.seenTo.isValid();
    SqliteStatement statement =
        wordsAlone ? m_db.prepare(u"SELECT rowid FROM company_text WHERE company_text MATCH ?1 ORDER BY rowid"_s)
                   : FilteredQuery(m_db, u"id"_s, filter, {}, u"ORDER BY id"_s);
    if (!statement.isValid()) {
        return nullptr;
    }
    if (wordsAlone) {
        statement.begin().bind(1, FullTextQuery(filter.text));
    }
    m_matches.ids.clear();
    while (statement.step()) {
        m_matches.ids.push_back(statement.int64(0));
    }
    if (statement.failed()) {
        return nullptr;
    }
    m_matches.filter = filter;
    m_matches.valid = true;
    return &m_matches.ids;
}

LibraryResult<QList<LibraryEntry>> LeadLibrary::entriesOf(const std::vector<qint64> &ids, qint64 offset,
                                                          int limit) const {
    QList<LibraryEntry> entries;
    const qint64 end = std::min<qint64>(qint64(ids.size()), offset + std::max(limit, 0));
    for (qint64 at = std::max<qint64>(offset, 0); at < end; ++at) {
        m_entry.begin().bind(1, ids[std::size_t(at)]);
        // A row removed since the search is left out: the cache goes with every change.
        if (m_entry.step()) {
            entries << EntryOf(m_entry);
        }
        const bool failed = m_entry.failed();
        m_entry.finish();
        if (failed) {
            return LibraryResult<QList<LibraryEntry>>::failure(errorText("cannot read the library"));
        }
    }
    return {entries, {}};
}

LibraryResult<qint64> LeadLibrary::count(const LibraryFilter &filter) const {
    if (const std::vector<qint64> *ids = matchingIds(filter)) {
        return {qint64(ids->size()), {}};
    }
    SqliteStatement statement = FilteredQuery(m_db, u"count(*)"_s, filter, {}, {});
    if (!statement.isValid() || !statement.step()) {
        return LibraryResult<qint64>::failure(errorText("cannot read the library"));
    }
    return {statement.int64(0), {}};
}

LibraryResult<QList<LibraryEntry>> LeadLibrary::page(const LibraryFilter &filter, qint64 offset, int limit) const {
    if (const std::vector<qint64> *ids = matchingIds(filter)) {
        return entriesOf(*ids, offset, limit);
    }
    // The page's first id comes from the index of ids; the rows before it are never read.
    const QString first =
        u"SELECT id FROM companies"_s + FilterConditions(filter) + u" ORDER BY id LIMIT 1 OFFSET ?11"_s;
    SqliteStatement statement = FilteredQuery(m_db, QLatin1StringView(EntryColumns), filter, u"id >= (%1)"_s.arg(first),
                                              u"ORDER BY id LIMIT ?10"_s);
    if (!statement.isValid()) {
        return LibraryResult<QList<LibraryEntry>>::failure(errorText("cannot read the library"));
    }
    statement.bind(10, limit);
    statement.bind(11, offset);
    QList<LibraryEntry> entries;
    while (statement.step()) {
        entries << EntryOf(statement);
    }
    if (statement.failed()) {
        return LibraryResult<QList<LibraryEntry>>::failure(errorText("cannot read the library"));
    }
    return {entries, {}};
}

LibraryResult<QList<LibraryEntry>> LeadLibrary::failedRows() const {
    SqliteStatement statement = m_db.prepare(
        u"SELECT %1 FROM companies WHERE failure <> '' ORDER BY id"_s.arg(QLatin1StringView(EntryColumns)));
    QList<LibraryEntry> entries;
    if (statement.isValid()) {
        statement.begin();
        while (statement.step()) {
            entries << EntryOf(statement);
        }
    }
    if (!statement.isValid() || statement.failed()) {
        return LibraryResult<QList<LibraryEntry>>::failure(errorText("cannot read the library"));
    }
    return {entries, {}};
}

LibraryResult<QStringList> LeadLibrary::searchAddresses() const {
    SqliteStatement statement =
        m_db.prepare(u"SELECT DISTINCT search_address FROM companies WHERE search_address <> '' "
                     u"ORDER BY search_address"_s);
    QStringList addresses;
    if (statement.isValid()) {
        statement.begin();
        while (statement.step()) {
            addresses << statement.text(0);
        }
    }
    if (!statement.isValid() || statement.failed()) {
        return LibraryResult<QStringList>::failure(errorText("cannot read the library"));
    }
    return {addresses, {}};
}
