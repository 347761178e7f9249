#include "core/contacts/socialprofile.h"

#include <QList>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace {

struct NetworkHost {
    QStringView domain;
    SocialNetwork network;
    QStringView usualHost;
};

constexpr NetworkHost networkHosts[] = {
    {u"linkedin.com", SocialNetwork::LinkedIn, u"www.linkedin.com"},
    {u"twitter.com", SocialNetwork::X, u"twitter.com"},
    {u"x.com", SocialNetwork::X, u"x.com"},
    {u"facebook.com", SocialNetwork::Facebook, u"www.facebook.com"},
    {u"fb.com", SocialNetwork::Facebook, u"www.facebook.com"},
    {u"instagram.com", SocialNetwork::Instagram, u"www.instagram.com"},
    {u"youtube.com", SocialNetwork::YouTube, u"www.youtube.com"},
    {u"github.com", SocialNetwork::GitHub, u"github.com"},
    {u"tiktok.com", SocialNetwork::TikTok, u"www.tiktok.com"},
    {u"xing.com", SocialNetwork::Xing, u"www.xing.com"},
};

// The networks' own pages, which share the shape of a profile's address.
constexpr QStringView reservedNames[] = {
    u"about",  u"accounts", u"dialog",      u"direct",   u"events",  u"explore",       u"features",
    u"groups", u"hashtag",  u"help",        u"home",     u"i",       u"intent",        u"join",
    u"legal",  u"login",    u"marketplace", u"messages", u"new",     u"notifications", u"orgs",
    u"p",      u"pages",    u"plugins",     u"policies", u"pricing", u"privacy",       u"reel",
    u"reels",  u"search",   u"security",    u"settings", u"share",   u"sharer",        u"shorts",
    u"signup", u"sponsors", u"stories",     u"topics",   u"tos",     u"trending",      u"tv",
    u"watch"};

bool IsReserved(QStringView name) {
    const QString lower = name.toString().toLower();
    return std::find(std::begin(reservedNames), std::end(reservedNames), QStringView(lower)) !=
               std::end(reservedNames) ||
           lower.contains(QStringLiteral(".php"));
}

bool IsName(QStringView name, QStringView extraChars) {
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [&](QChar c) {
        return (c.unicode() < 128 && c.isLetterOrNumber()) || extraChars.contains(c);
    });
}

// The profile's path for one network, or empty when the segments name no profile.
QString ProfilePath(SocialNetwork network, const QList<QStringView> &segments) {
    const QString first = segments.isEmpty() ? QString() : segments.front().toString().toLower();
    const auto name = [&](qsizetype index, QStringView extraChars) {
        return index < segments.size() && IsName(segments[index], extraChars) && !IsReserved(segments[index])
                   ? u'/' + segments[index].toString()
                   : QString();
    };
    const auto single = [&](QStringView extraChars) {
        return segments.size() == 1 ? name(0, extraChars) : QString();
    };
    const auto kindAndName = [&](std::initializer_list<QStringView> kinds) {
        const QString rest = name(1, u"-_.%~");
        return std::find(kinds.begin(), kinds.end(), first) != kinds.end() && !rest.isEmpty() ? u'/' + first + rest
                                                                                              : QString();
    };
    const bool handle = first.size() > 1 && first.startsWith(u'@') && IsName(segments[0].mid(1), u"._-");
    switch (network) {
    case SocialNetwork::LinkedIn:
        return kindAndName({u"company", u"school", u"showcase"});
    case SocialNetwork::X:
        return single(u"_");
    case SocialNetwork::Facebook:
        return single(u".-");
    case SocialNetwork::Instagram:
        return single(u"._");
    case SocialNetwork::YouTube:
        return handle ? u'/' + segments[0].toString() : kindAndName({u"channel", u"user", u"c"});
    case SocialNetwork::GitHub:
        return first == u"orgs" && segments.size() == 2 ? name(1, u"-") : single(u"-");
    case SocialNetwork::TikTok:
        return handle && segments.size() == 1 ? u'/' + segments[0].toString() : QString();
    case SocialNetwork::Xing:
        return kindAndName({u"companies", u"pages"});
    }
    return {};
}

const NetworkHost *HostOf(QStringView host) {
    for (const NetworkHost &entry : networkHosts) {
        if (host == entry.domain) {
            return &entry;
        }
        if (!host.endsWith(entry.domain) || host[host.size() - entry.domain.size() - 1] != u'.') {
            continue;
        }
        const QStringView sub = host.chopped(entry.domain.size() + 1);
        const bool country = entry.network == SocialNetwork::LinkedIn && sub.size() == 2;
        if (sub == u"www" || sub == u"m" || sub == u"mobile" || country) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

std::optional<SocialNetwork> NetworkOfDomain(QStringView domain) {
    for (const NetworkHost &entry : networkHosts) {
        if (domain == entry.domain) {
            return entry.network;
        }
    }
    return std::nullopt;
}

std::optional<SocialProfile> ReadSocialProfile(QStringView link) {
    static const QRegularExpression parts(QStringLiteral(R"(^(?:https?:)?//([^/?#]+)([^?#]*))"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = parts.match(link.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const NetworkHost *host = HostOf(match.captured(1).toLower());
    if (host == nullptr) {
        return std::nullopt;
    }
    const QList<QStringView> segments = match.capturedView(2).split(u'/', Qt::SkipEmptyParts);
    const QString path = ProfilePath(host->network, segments);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return SocialProfile{host->network, QStringLiteral("https://") + host->usualHost + path};
}
