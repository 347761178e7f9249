#pragma once

#include <QList>
#include <QString>

// One search of a queue: the address the pane opens, the name its automatic export file takes,
// and whether its run has ended at its last page.
struct QueuedSearch {
    QString address;
    QString fileName;
    bool done = false;

    bool operator==(const QueuedSearch &) const = default;
};

// A list of searches run one after the other, with where the queue stands.
//
// Invariants: every file name is unique within the queue (compared without regard to case, as
// a file system may); current() is the first search not done, size() once every search is.
class SearchQueue {
public:
    SearchQueue() = default;

    // One entry a line: a LinkedIn search address of any layout the program reads, or keywords,
    // which become today's company search. Blank lines and lines opening with "#" are skipped.
    static SearchQueue FromText(const QString &text, const QString &linkedInBase);
    // The queue as restored from its file; file names are made again from the addresses.
    static SearchQueue FromSearches(const QList<QString> &addresses, const QList<bool> &done);

    // The company search of today's site for keywords, as the site's own search box opens it.
    static QString CompanySearchAddress(const QString &keywords, const QString &linkedInBase);

    const QList<QueuedSearch> &searches() const { return m_searches; }
    qsizetype size() const { return m_searches.size(); }
    bool isEmpty() const { return m_searches.isEmpty(); }
    qsizetype current() const;
    bool finished() const { return current() >= size(); }
    // The search's run ended at its last page; the next search has not started yet.
    void markDone(qsizetype index);

    // The addresses, one a line, as the queue dialog shows them.
    QString toText() const;

    // The time stamp the queue's export files carry, set when the queue is made.
    QString stamp;
    // The run of current() has started, so its export file holds rows of an unfinished run.
    bool started = false;

private:
    void append(const QString &address);

    QList<QueuedSearch> m_searches;
};
