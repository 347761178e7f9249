#include "core/contacts/sociallinks.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

void SocialLinks::AddFromPage(const QString &page) {
    // Absolute links to the networks' hosts; ReadSocialProfile() decides which are profiles.
    static const QRegularExpression links = [] {
        QRegularExpression expression(
            QStringLiteral(R"((?:https?:)?//(?:[a-z0-9-]+\.)?((?:linkedin|twitter|x|facebook|fb|instagram|)"
                           R"(youtube|github|tiktok|xing)\.com)(?![a-z0-9.\-])(?:[/?#][^\s"'<>\\]*)?)"),
            QRegularExpression::CaseInsensitiveOption);
        expression.optimize();
        return expression;
    }();
    QSet<QStringView> notProfiles; // views into page, which outlives the loop
    QRegularExpressionMatchIterator matches = links.globalMatch(page);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        // Pages repeat their links in every block: a network found already and a link read
        // already are not read again.
        const std::optional<SocialNetwork> network = NetworkOfDomain(match.captured(1).toLower());
        const QStringView link = match.capturedView(0);
        if ((network && !m_links[static_cast<int>(*network)].isEmpty()) || notProfiles.contains(link)) {
            continue;
        }
        std::optional<SocialProfile> profile = ReadSocialProfile(link);
        if (!profile) {
            notProfiles.insert(link);
        } else if (m_links[static_cast<int>(profile->network)].isEmpty()) {
            m_links[static_cast<int>(profile->network)] = std::move(profile->url);
        }
    }
}

void SocialLinks::Clear() {
    m_links.fill(QString());
}

QString SocialLinks::CellText() const {
    QStringList present;
    for (const QString &link : m_links) {
        if (!link.isEmpty()) {
            present.append(link);
        }
    }
    return present.join(u';');
}
