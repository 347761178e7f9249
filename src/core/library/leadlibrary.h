#pragma once

#include "core/library/libraryentry.h"
#include "core/library/libraryfilter.h"
#include "core/library/libraryresult.h"
#include "core/library/sqlitedatabase.h"
#include "core/model/leadrow.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>
#include <vector>

struct SchemaCheck;

// Every company ever listed, kept in one SQLite file (WAL, synchronous=NORMAL, mode 0600 for the
// file and its -wal and -shm), found again by its known link (see KnownLinkKey).
// - add() only queues: the queue is written in one transaction within FlushDelayMs of the first
//   row queued, on flush(), and when the library goes. A crash loses at most that last batch.
// - Adding a known link again keeps its first time and search address, and takes the new
//   non-empty cells, the time and the failure.
// - Views (count, page, ...) show what has been written; contains() also sees the queue.
// - A failed write keeps the queue and tries again on the next beat; writeFailed says so once,
//   until a write works again.
// - It lives in the thread that made it, as its timer does.
class LeadLibrary : public QObject {
    Q_OBJECT

public:
    // Milliseconds since the epoch, the time a row is seen.
    using Clock = std::function<qint64()>;

    explicit LeadLibrary(Clock clock = {}, QObject *parent = nullptr);
    ~LeadLibrary() override;

    // The file's name in the program's data folder.
    static QString FileName() { return QStringLiteral("library.sqlite"); }
    // The same beat as the results journal.
    static constexpr int FlushDelayMs = 500;

    // Opens or creates the library at path, making its folder. A damaged file (not a database,
    // failing its check, or without the library's tables) is moved aside (see MoveDamagedAside)
    // and an empty library made; the result says so once, with the reason.
    LibraryOpening open(const QString &path);
    bool isOpen() const { return m_db.isOpen(); }
    const QString &path() const { return m_path; }

    // Queues a listed row; failure says why fetching part of it failed, empty when complete.
    // A row without a link is not kept.
    void add(const LeadRow &row, const QString &searchAddress, const QString &failure = {});
    // Writes the queue in one transaction; the number of rows written.
    LibraryResult<int> flush();
    int queuedCount() const { return int(m_queue.size()); }

    // Whether the link, or its key, is in the library or its queue. A failed lookup answers
    // false, so a company is fetched again rather than lost.
    bool contains(const QString &link) const;

    // Notes that the companies went to filePath; the number of companies noted. The queue is
    // written first, so rows just added can be marked by link.
    LibraryResult<int> markExported(const QList<qint64> &ids, const QString &filePath);
    LibraryResult<int> markExportedLinks(const QStringList &links, const QString &filePath);
    // For each link, true when it was never exported.
    QList<bool> notExported(const QStringList &links) const;
    // The files a company was exported to, oldest first.
    LibraryResult<QStringList> exportFiles(qint64 id) const;

    // Views for a table, in the order the companies entered the library.
    LibraryResult<qint64> count(const LibraryFilter &filter) const;
    LibraryResult<QList<LibraryEntry>> page(const LibraryFilter &filter, qint64 offset, int limit) const;
    LibraryResult<QStringList> searchAddresses() const;
    LibraryResult<QList<LibraryEntry>> failedRows() const;
    // Removes companies with their export notes; the number removed.
    LibraryResult<int> remove(const QList<qint64> &ids);

Q_SIGNALS:
    // A timed write failed after one that worked; the queue waits for the next.
    void writeFailed(const QString &reason);
    // A flush wrote count queued rows, so views may show more.
    void rowsWritten(int count);

private:
    struct Queued {
        QString key;
        QByteArray cells;
        qint64 seen = 0;
        QString searchAddress;
        QString failure;
    };

    // Connects to the file, making it private and checking or making its schema.
    SchemaCheck connectTo(const QString &path);
    bool prepareStatements();
    // Writes one queued row inside the open transaction; false when it fails.
    bool write(const Queued &row);
    void timedFlush();
    // SQLite's note after each commit: how many pages the -wal holds.
    static int walCommitted(void *library, struct sqlite3 *db, const char *name, int pages);
    // Folds the -wal into the file, as SQLite would at the end of a commit.
    void foldWal();
    // Runs body inside one write transaction; the body's count, or the reason it failed.
    LibraryResult<int> inTransaction(const std::function<int()> &body);
    // Runs a statement with one key parameter for each key, in one write transaction; the
    // number of rows the statement changed.
    template<typename Keys>
    LibraryResult<int> changeEach(const QString &sql, const Keys &keys, const QString &filePath = {});
    QString errorText(const char *what) const;
    // The ids a filter with search words matches, in order: its count and every page then cost
    // one full-text search, and a page deep in the list no walk over the rows before it. Null
    // for a filter without words, which the indexes answer directly, or when the search failed.
    const std::vector<qint64> *matchingIds(const LibraryFilter &filter) const;
    LibraryResult<QList<LibraryEntry>> entriesOf(const std::vector<qint64> &ids, qint64 offset, int limit) const;

    Clock m_clock;
    QString m_path;
    SqliteDatabase m_db;
    SqliteStatement m_insert;
    SqliteStatement m_index;
    SqliteStatement m_update;
    mutable SqliteStatement m_lookup;
    mutable SqliteStatement m_exported;
    mutable SqliteStatement m_entry;
    // The last filter with words and what it matched; forgotten whenever the library changes.
    struct Matches {
        LibraryFilter filter;
        std::vector<qint64> ids;
        bool valid = false;
    };
    mutable Matches m_matches;
    std::vector<Queued> m_queue;
    QSet<QString> m_queuedKeys;
    QTimer m_flushTimer;
    // The fold waits for the next turn of the event loop, so a flush returns as soon as its
    // rows are safe in the -wal.
    QTimer m_foldTimer;
    int m_walPages = 0;
    bool m_writeFailing = false;
};
