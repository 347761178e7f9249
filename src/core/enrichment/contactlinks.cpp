#include "core/enrichment/contactlinks.h"

#include "core/util/textcursor.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

void AddUnique(QStringList &list, const QString &entry) {
    if (!list.contains(entry, Qt::CaseInsensitive)) {
        list.append(entry);
    }
}

// An attribute value as a browser reads it, as far as links go: "&amp;" stands for "&".
QString DecodeAmpersands(QString value) {
    return value.replace(QLatin1String("&amp;"), QLatin1String("&"));
}

bool ContainsAnyKeyword(const QString &text, const QStringList &keywords) {
    const QString folded = AsciiUpper(text);
    for (const QString &keyword : keywords) {
        if (folded.contains(AsciiUpper(keyword))) {
            return true;
        }
    }
    return false;
}

// Finds the next occurrence of a marker at or behind the cursor's front, remembering it as an
// absolute position: the cursor only loses text at its front, so a position still ahead stays
// valid and an absent marker stays absent. That keeps a page with many links of one quote
// style linear in the search for the other.
class MarkerTracker {
public:
    MarkerTracker(QStringView marker, qsizetype total) : m_marker(marker), m_total(total) {}

    // Absolute position of the next occurrence, -1 when there is none.
    qsizetype Next(const TextCursor &buffer) {
        const qsizetype front = m_total - buffer.size();
        if (m_found == Unknown || (m_found >= 0 && m_found < front)) {
            const qsizetype relative = buffer.indexOfFolded(m_marker);
            m_found = relative < 0 ? Absent : front + relative;
        }
        return m_found;
    }

private:
    static constexpr qsizetype Unknown = -2;
    static constexpr qsizetype Absent = -1;
    QStringView m_marker;
    qsizetype m_total;
    qsizetype m_found = Unknown;
};

} // namespace

QStringList FindContactLinks(const QString &page, const QStringList &anchorKeywords, const QStringList &urlKeywords) {
    QStringList links;
    TextCursor buffer(page);
    MarkerTracker doubleQuoted(u"HREF=\"", page.size());
    MarkerTracker singleQuoted(u"HREF='", page.size());
    for (;;) {
        const qsizetype d = doubleQuoted.Next(buffer);
        const qsizetype s = singleQuoted.Next(buffer);
        if (d < 0 && s < 0) {
            break;
        }
        const bool useDouble = d >= 0 && (s < 0 || d < s);
        const QString link = DecodeAmpersands(useDouble ? CutBetween(u"href=\"", u"\"", 0, buffer)
                                                        : CutBetween(u"href='", u"'", 0, buffer));
        if (link.isEmpty()) {
            continue;
        }
        // Empty when the anchor's content starts with another tag.
        const QString linkText = CutBetween(u">", u"<", 0, buffer);
        if (ContainsAnyKeyword(linkText, anchorKeywords)) {
            AddUnique(links, link);
        }
        if (ContainsAnyKeyword(link, urlKeywords)) {
            AddUnique(links, link);
        }
    }
    return links;
}

QString ResolveContactLink(const QString &websiteUrl, const QString &link) {
    const QString target = link.trimmed();
    if (target.isEmpty()) {
        return {};
    }
    const QUrl targetUrl(target);
    if (!targetUrl.isRelative()) {
        return target;
    }
    QString base = websiteUrl.trimmed();
    if (!base.contains(QLatin1String("://"))) {
        base = u"http://" + base;
    }
    QUrl baseUrl(base);
    // A site address without a path names the site's root.
    if (baseUrl.path().isEmpty()) {
        baseUrl.setPath(QStringLiteral("/"));
    }
    return baseUrl.resolved(targetUrl).toString(QUrl::FullyEncoded);
}

QString DocumentBaseUrl(const QString &pageUrl, const QString &page) {
    // The href of the first base element that has one, in any quoting.
    static const QRegularExpression baseHref(
        QStringLiteral(R"re(<base\s[^>]*?\bhref\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = baseHref.match(page);
    if (!match.hasMatch()) {
        return pageUrl;
    }
    QString href;
    for (int group = 1; group <= 3 && href.isEmpty(); ++group) {
        href = match.captured(group);
    }
    const QString base = ResolveContactLink(pageUrl, DecodeAmpersands(href));
    return IsFetchableLink(base) ? base : pageUrl;
}

bool IsFetchableLink(const QString &address) {
    const QString scheme = QUrl(address).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}
