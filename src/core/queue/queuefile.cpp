#include "core/queue/queuefile.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

constexpr QLatin1StringView Magic("tarnwick-queue 1");

} // namespace

QString QueueFile::PathIn(const QString &dataFolder) {
    return dataFolder + u"/queue.dat"_s;
}

std::optional<SearchQueue> QueueFile::load() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (lines.isEmpty() || lines.constFirst() != Magic) {
        return std::nullopt;
    }
    QString stamp;
    bool started = false;
    QList<QString> addresses;
    QList<bool> done;
    for (const QString &line : lines.mid(1)) {
        const QStringList fields = line.split(u'\t');
        const QString &key = fields.constFirst();
        if (key == u"stamp" && fields.size() == 2) {
            stamp = fields.at(1);
        } else if (key == u"started" && fields.size() == 2) {
            started = fields.at(1) == u"1";
        } else if (key == u"search" && fields.size() == 3 && !fields.at(2).isEmpty()) {
            done.append(fields.at(1) == u"1");
            addresses.append(fields.at(2));
        } else if (key != u"current" && !line.isEmpty()) {
            return std::nullopt;
        }
    }
    SearchQueue queue = SearchQueue::FromSearches(addresses, done);
    queue.stamp = stamp;
    queue.started = started && !queue.finished();
    return queue;
}

QueueFile::Saved QueueFile::save(const SearchQueue &queue) const {
    QStringList lines{Magic, u"stamp\t"_s + queue.stamp, u"current\t"_s + QString::number(queue.current()),
                      u"started\t"_s + (queue.started ? u"1"_s : u"0"_s)};
    for (const QueuedSearch &search : queue.searches()) {
        lines.append(u"search\t"_s + (search.done ? u"1"_s : u"0"_s) + u'\t' + search.address);
    }
    QSaveFile file(m_path);
    Saved saved;
    // Owner-only before the first byte, so no one else ever reads the list.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        saved.errorString = file.errorString();
        return saved;
    }
    const QByteArray bytes = (lines.join(u'\n') + u'\n').toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        saved.errorString = file.errorString();
        return saved;
    }
    saved.ok = true;
    return saved;
}
