#pragma once

#include "core/queue/searchqueue.h"

#include <QString>

#include <optional>

// The queue of searches in the data folder, with where it stands.
//
// The file is text in UTF-8: "stamp", "current" (the search in progress), "started" and one
// "search" line per search with its done flag, fields separated by tabs. Every save replaces
// the whole file atomically (written beside it, synced, renamed over it), so a process killed
// at any moment leaves either the old or the new file. Only the owner may read it (0600).
class QueueFile {
public:
    struct Saved {
        bool ok = false;
        QString errorString;
    };

    explicit QueueFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }
    // The stored queue; nothing when there is no file or it cannot be read as one.
    std::optional<SearchQueue> load() const;
    Saved save(const SearchQueue &queue) const;

    static QString PathIn(const QString &dataFolder);

private:
    QString m_path;
};
