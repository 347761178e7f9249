#include "core/queue/searchqueue.h"

#include "core/export/cleanfilename.h"
#include "core/extraction/resultcards.h"

#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool IsAddress(const QString &line) {
    return line.startsWith(u"http://"_s, Qt::CaseInsensitive) || line.startsWith(u"https://"_s, Qt::CaseInsensitive);
}

// Keywords cleaned as every export file name is; a search without keywords is named by its place.
QString BaseName(const QString &address, qsizetype position) {
    const QString name = CleanFileName(SearchKeywords(address).simplified()).trimmed();
    return name.isEmpty() ? u"Search %1"_s.arg(position + 1) : name;
}

} // namespace

SearchQueue SearchQueue::FromText(const QString &text, const QString &linkedInBase) {
    SearchQueue queue;
    const QStringList lines = text.split(QRegularExpression(u"\r\n|\r|\n"_s));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        queue.append(IsAddress(line) ? line : CompanySearchAddress(line, linkedInBase));
    }
    return queue;
}

SearchQueue SearchQueue::FromSearches(const QList<QString> &addresses, const QList<bool> &done) {
    SearchQueue queue;
    for (qsizetype index = 0; index < addresses.size(); ++index) {
        queue.append(addresses.at(index));
        queue.m_searches.last().done = index < done.size() && done.at(index);
    }
    return queue;
}

QString SearchQueue::CompanySearchAddress(const QString &keywords, const QString &linkedInBase) {
    return linkedInBase + u"/search/results/companies/?keywords="_s +
           QString::fromLatin1(QUrl::toPercentEncoding(keywords.simplified())) + u"&origin=SWITCH_SEARCH_VERTICAL"_s;
}

qsizetype SearchQueue::current() const {
    const auto open =
        std::find_if(m_searches.cbegin(), m_searches.cend(), [](const QueuedSearch &search) { return !search.done; });
    return open - m_searches.cbegin();
}

void SearchQueue::markDone(qsizetype index) {
    if (index >= 0 && index < m_searches.size()) {
        m_searches[index].done = true;
        started = false;
    }
}

QString SearchQueue::toText() const {
    QStringList lines;
    for (const QueuedSearch &search : m_searches) {
        lines.append(search.address);
    }
    return lines.join(u'\n');
}

void SearchQueue::append(const QString &address) {
    const QString base = BaseName(address, m_searches.size());
    const auto taken = [this](const QString &name) {
        return std::any_of(m_searches.cbegin(), m_searches.cend(), [&name](const QueuedSearch &search) {
            return search.fileName.compare(name, Qt::CaseInsensitive) == 0;
        });
    };
    QString name = base;
    for (int number = 2; taken(name); ++number) {
        name = u"%1 (%2)"_s.arg(base).arg(number);
    }
    m_searches.append({address, name, false});
}
