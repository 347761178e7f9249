#include "core/journal/journalfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr mode_t OwnerOnly = S_IRUSR | S_IWUSR;

// Writes every byte of every part, resuming after interruptions; false on the first real
// failure.
bool WriteAll(int fd, const std::vector<QByteArrayView> &parts) {
    for (const QByteArrayView part : parts) {
        const char *data = part.data();
        qsizetype left = part.size();
        while (left > 0) {
            const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return false;
            }
            data += written;
            left -= written;
        }
    }
    return true;
}

qint64 TotalSize(const std::vector<QByteArrayView> &parts) {
    qint64 size = 0;
    for (const QByteArrayView part : parts) {
        size += part.size();
    }
    return size;
}

// A rename is on the disk once the folder that holds the name is.
void SyncFolder(const QString &folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool JournalFile::fail(const QString &what) {
    m_error = u"%1 %2: %3"_s.arg(what, m_path, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

bool JournalFile::open() {
    if (isOpen()) {
        return true;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, OwnerOnly);
    struct stat status {};
    // A file created by other means may have been open to others: it is the owner's alone now.
    if (m_fd < 0 || ::fchmod(m_fd, OwnerOnly) != 0 || ::fstat(m_fd, &status) != 0) {
        fail(u"cannot open"_s);
        close();
        return false;
    }
    m_size = status.st_size;
    return true;
}

bool JournalFile::append(const std::vector<QByteArrayView> &parts) {
    if (!open()) {
        return false;
    }
    if (!WriteAll(m_fd, parts)) {
        fail(u"cannot write"_s);
        if (::ftruncate(m_fd, m_size) != 0) {
            close(); // reopened at the next append, and its size read again
        }
        return false;
    }
    m_size += TotalSize(parts);
    return true;
}

bool JournalFile::sync() {
    if (isOpen() && ::fdatasync(m_fd) != 0) {
        return fail(u"cannot sync"_s);
    }
    return true;
}

bool JournalFile::replace(const std::vector<QByteArrayView> &parts) {
    const QString newPath = m_path + u".new"_s;
    const QByteArray encodedNew = QFile::encodeName(newPath);
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const int fd = ::open(encodedNew.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, OwnerOnly);
    if (fd < 0) {
        return fail(u"cannot create the new version of"_s);
    }
    const bool written = WriteAll(fd, parts) && ::fsync(fd) == 0;
    if (!written) {
        fail(u"cannot write the new version of"_s);
    }
    ::close(fd);
    if (!written || ::rename(encodedNew.constData(), QFile::encodeName(m_path).constData()) != 0) {
        if (written) {
            fail(u"cannot rename the new version over"_s);
        }
        ::unlink(encodedNew.constData());
        return false;
    }
    SyncFolder(QFileInfo(m_path).absolutePath());
    close();
    return open();
}

bool JournalFile::remove() {
    close();
    if (::unlink(QFile::encodeName(m_path).constData()) != 0 && errno != ENOENT) {
        return fail(u"cannot remove"_s);
    }
    return true;
}

void JournalFile::close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_size = 0;
}
