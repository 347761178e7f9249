#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

// The journal's file on disk, readable and writable by its owner only (0600). Records are only
// ever added at its end; replace() swaps in a whole new content atomically. Every operation
// returns false with errorString() set when it fails.
class JournalFile {
public:
    explicit JournalFile(QString path) : m_path(std::move(path)) {}
    ~JournalFile() { close(); }
    JournalFile(const JournalFile &) = delete;
    JournalFile &operator=(const JournalFile &) = delete;

    const QString &path() const { return m_path; }
    bool isOpen() const { return m_fd >= 0; }
    // The file's size in bytes, once open.
    qint64 size() const { return m_size; }

    // Opens the file for adding records, creating it and its folder when missing.
    bool open();
    // Writes the parts, in order, at the end. Writing that fails midway is cut off again, so the
    // file never keeps half a record in front of a later one.
    bool append(const std::vector<QByteArrayView> &parts);
    // Waits until what was written is on the disk.
    bool sync();
    // Writes the parts to a new file beside this one, syncs it, renames it over this one and
    // keeps the new file open.
    bool replace(const std::vector<QByteArrayView> &parts);
    bool remove();
    void close();

    QString errorString() const { return m_error; }

private:
    bool fail(const QString &what);

    QString m_path;
    int m_fd = -1;
    qint64 m_size = 0;
    QString m_error;
};
