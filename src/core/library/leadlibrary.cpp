#include "core/library/leadlibrary.h"

#include "core/extraction/duplicateditems.h"
#include "core/library/cellblob.h"
#include "core/library/cellfunctions.h"
#include "core/library/damagedfile.h"
#include "core/library/libraryquery.h"
#include "core/library/libraryschema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// SQLite's own threshold for folding the -wal into the file.
constexpr int FoldPages = 1000;

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// SQLite gives a new -wal and -shm the main file's mode, so the main file is made 0600 first.
bool MakeOwnerOnly(const QString &path) {
    QFile file(path);
    if (!file.exists() && !file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly)) {
        return false;
    }
    bool ok = file.setPermissions(OwnerOnly);
    for (const QString &companion : {QString(path + u"-wal"_s), QString(path + u"-shm"_s)}) {
        if (QFile::exists(companion)) {
            ok = QFile::setPermissions(companion, OwnerOnly) && ok;
        }
    }
    return ok;
}

} // namespace

LeadLibrary::LeadLibrary(Clock clock, QObject *parent)
    : QObject(parent), m_clock(clock ? std::move(clock) : [] { return QDateTime::currentMSecsSinceEpoch(); }) {
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(FlushDelayMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &LeadLibrary::timedFlush);
    m_foldTimer.setSingleShot(true);
    m_foldTimer.setInterval(0);
    connect(&m_foldTimer, &QTimer::timeout, this, &LeadLibrary::foldWal);
}

LeadLibrary::~LeadLibrary() {
    flush();
}

LibraryOpening LeadLibrary::open(const QString &path) {
    using State = LibraryOpening::State;
    flush();
    m_db.close();
    m_matches.valid = false;
    m_path = path;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return {State::Failed, u"cannot make the folder of %1"_s.arg(path), {}};
    }
    const bool existed = QFileInfo(path).size() > 0;
    const SchemaCheck check = connectTo(path);
    if (check.state == SchemaCheck::State::Ready) {
        return {existed ? State::Opened : State::Created, {}, {}};
    }
    m_db.close();
    if (check.state != SchemaCheck::State::Unreadable) {
        return {State::Failed, check.reason, {}};
    }
    const LibraryResult<QString> moved = MoveDamagedAside(path, QDateTime::currentDateTime());
    if (!moved.ok()) {
        return {State::Failed, check.reason + u"; "_s + moved.errorString, {}};
    }
    const SchemaCheck fresh = connectTo(path);
    if (fresh.state != SchemaCheck::State::Ready) {
        m_db.close();
        return {State::Failed, fresh.reason, {}};
    }
    return {State::Replaced, check.reason, moved.value};
}

SchemaCheck LeadLibrary::connectTo(const QString &path) {
    using State = SchemaCheck::State;
    if (!MakeOwnerOnly(path)) {
        return {State::Failed, u"cannot make %1 private"_s.arg(path)};
    }
    // A session that ends folds its -wal into the file and removes it; one that was cut short
    // leaves it, and its file is checked page by page, which takes about a second a million rows.
    const Check depth = QFileInfo::exists(path + u"-wal"_s) ? Check::Whole : Check::Quick;
    const qint64 fileSize = QFileInfo(path).size();
    if (!m_db.open(path)) {
        return {State::Failed, m_db.errorString()};
    }
    if (!RegisterCellFunctions(m_db.handle()) || !m_db.exec("PRAGMA busy_timeout = 5000")) {
        return {State::Failed, m_db.errorString()};
    }
    // Until the file passes its check, closing must not write into it: a damaged file goes
    // aside as it was found.
    m_db.setCheckpointOnClose(false);
    SchemaCheck check = PrepareSchema(m_db, depth, fileSize);
    if (check.state != State::Ready) {
        return check;
    }
    m_db.setCheckpointOnClose(true);
    // A batch of a run touches pages all over the index of links and the text index: a cache that
    // holds them (up to 64 MiB) keeps it from writing the same pages again and again. An update of a
    // known company keeps the pages its trigger changes for its own undo: in memory, not in a file.
    if (m_db.queryText("PRAGMA journal_mode = WAL") != u"wal"_s ||
        !m_db.exec("PRAGMA synchronous = NORMAL; PRAGMA foreign_keys = ON; PRAGMA cache_size = -65536; "
                   "PRAGMA temp_store = MEMORY") ||
        !prepareStatements()) {
        return {State::Failed, m_db.errorString()};
    }
    sqlite3_wal_autocheckpoint(m_db.handle(), 0);
    sqlite3_wal_hook(m_db.handle(), &LeadLibrary::walCommitted, this);
    return check;
}

bool LeadLibrary::prepareStatements() {
    m_insert = m_db.prepare(u"INSERT OR IGNORE INTO companies "
                            u"(link_key, cells, first_seen, last_seen, search_address, failure) "
                            u"VALUES (?1, ?2, ?3, ?3, ?4, ?5)"_s);
    m_index = m_db.prepare(u"INSERT INTO company_text (rowid, name, website, city, email) "
                           u"VALUES (?1, ?2, ?3, ?4, ?5)"_s);
    m_update = m_db.prepare(u"UPDATE companies SET cells = merge_cells(cells, ?2), last_seen = ?3, failure = ?4 "
                            u"WHERE link_key = ?1"_s);
    m_lookup = m_db.prepare(u"SELECT 1 FROM companies WHERE link_key = ?1"_s);
    m_exported = m_db.prepare(u"SELECT EXISTS (SELECT 1 FROM exports WHERE company_id = "
                              u"(SELECT id FROM companies WHERE link_key = ?1))"_s);
    m_entry = m_db.prepare(u"SELECT %1 FROM companies WHERE id = ?1"_s.arg(QLatin1StringView(EntryColumns)));
    return m_entry.isValid() && m_insert.isValid() && m_index.isValid() && m_update.isValid() && m_lookup.isValid() &&
           m_exported.isValid();
}

void LeadLibrary::add(const LeadRow &row, const QString &searchAddress, const QString &failure) {
    const QString &link = row[LeadRow::LinkedInLink];
    if (!isOpen() || link.trimmed().isEmpty()) {
        return;
    }
    QString key = KnownLinkKey(link);
    m_queuedKeys.insert(key);
    m_queue.push_back({std::move(key), EncodeCells(row), m_clock(), searchAddress, failure});
    // Rows keep coming during a run: a timer armed again at every row would never fire.
    if (!m_flushTimer.isActive()) {
        m_flushTimer.start();
    }
}

LibraryResult<int> LeadLibrary::flush() {
    m_flushTimer.stop();
    if (m_queue.empty()) {
        return {0, {}};
    }
    const LibraryResult<int> written = inTransaction([this] {
        for (const Queued &row : m_queue) {
            if (!write(row)) {
                return -1;
            }
        }
        return int(m_queue.size());
    });
    m_matches.valid = false;
    m_writeFailing = !written.ok();
    if (written.ok()) {
        m_queue.clear();
        m_queuedKeys.clear();
        if (m_walPages >= FoldPages && !m_foldTimer.isActive()) {
            m_foldTimer.start();
        }
        Q_EMIT rowsWritten(written.value);
    } else if (isOpen()) {
        m_flushTimer.start();
    }
    return written;
}

bool LeadLibrary::write(const Queued &row) {
    m_insert.begin();
    m_insert.bind(1, row.key);
    m_insert.bindBlob(2, row.cells);
    m_insert.bind(3, row.seen);
    m_insert.bind(4, row.searchAddress);
    m_insert.bind(5, row.failure);
    m_insert.step();
    m_insert.finish();
    if (m_insert.failed()) {
        return false;
    }
    // A new company is indexed for the search box; a known one has its cells merged.
    const bool inserted = sqlite3_changes(m_db.handle()) == 1;
    SqliteStatement &statement = inserted ? m_index : m_update;
    statement.begin();
    if (inserted) {
        statement.bind(1, qint64(sqlite3_last_insert_rowid(m_db.handle())));
        // Indexed from the encoded cells, which are UTF-8 already.
        const std::vector<QByteArrayView> cells = CellSlices(row.cells);
        for (std::size_t column = 0; column < IndexedCells.size(); ++column) {
            const auto cell = std::size_t(IndexedCells[column]);
            statement.bindUtf8(int(column) + 2, cell < cells.size() ? cells[cell] : QByteArrayView());
        }
    } else {
        statement.bind(1, row.key);
        statement.bindBlob(2, row.cells);
        statement.bind(3, row.seen);
        statement.bind(4, row.failure);
    }
    statement.step();
    statement.finish();
    return !statement.failed();
}

int LeadLibrary::walCommitted(void *library, sqlite3 *, const char *, int pages) {
    static_cast<LeadLibrary *>(library)->m_walPages = pages;
    return SQLITE_OK;
}

void LeadLibrary::foldWal() {
    // PASSIVE: a reader in the way leaves the rest for the next fold; nothing waits.
    if (isOpen() && m_db.exec("PRAGMA wal_checkpoint(PASSIVE)")) {
        m_walPages = 0;
    }
}

void LeadLibrary::timedFlush() {
    const bool failingBefore = m_writeFailing;
    const LibraryResult<int> written = flush();
    if (!written.ok() && !failingBefore) {
        Q_EMIT writeFailed(written.errorString);
    }
}

LibraryResult<int> LeadLibrary::inTransaction(const std::function<int()> &body) {
    if (!isOpen()) {
        return LibraryResult<int>::failure(u"the library is not open"_s);
    }
    if (!m_db.exec("BEGIN IMMEDIATE")) {
        return LibraryResult<int>::failure(errorText("cannot begin a write"));
    }
    const int count = body();
    if (count < 0 || !m_db.exec("COMMIT")) {
        // The reason is taken before the rollback replaces it.
        const QString reason = errorText("cannot write the library");
        m_db.exec("ROLLBACK");
        return LibraryResult<int>::failure(reason);
    }
    return {count, {}};
}

QString LeadLibrary::errorText(const char *what) const {
    return QLatin1StringView(what) + u": "_s + m_db.errorString();
}
