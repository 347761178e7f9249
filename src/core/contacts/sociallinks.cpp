#include "core/contacts/sociallinks.h"

#include <QRegularExpression>
#include <QStringList>

void SocialLinks::AddFromPage(const QString &page) {
    // Absolute links to the networks' hosts; ReadSocialProfile() decides which are profiles.
    static const QRegularExpression links = [] {
        QRegularExpression expression(
            QStringLiteral(R"((?:https?:)?//(?:[a-z0-9-]+\.)?(?:linkedin|twitter|x|facebook|fb|instagram|youtube|)"
                           R"(github|tiktok|xing)\.com(?![a-z0-9.\-])(?:[/?#][^\s"'<>\\]*)?)"),
            QRegularExpression::CaseInsensitiveOption);
        expression.optimize();
        return expression;
    }();
    QRegularExpressionMatchIterator matches = links.globalMatch(page);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        std::optional<SocialProfile> profile = ReadSocialProfile(match.capturedView(0));
        if (profile && m_links[static_cast<int>(profile->network)].isEmpty()) {
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
