#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The networks in the order a social links cell lists them.
enum class SocialNetwork { LinkedIn, X, Facebook, Instagram, YouTube, GitHub, TikTok, Xing };
inline constexpr int socialNetworkCount = 8;

struct SocialProfile {
    SocialNetwork network = SocialNetwork::LinkedIn;
    QString url; // https://, the network's usual host, the profile's path without a trailing "/"
};

// The network whose domain («linkedin.com», «x.com») this is, in lower case.
std::optional<SocialNetwork> NetworkOfDomain(QStringView domain);
// The profile a link («https://uk.linkedin.com/company/acme/?trk=1», «//x.com/acme») names, or
// nothing for a link that is no profile: a share button, an intent, a post, the network's home
// page or one of its own pages.
std::optional<SocialProfile> ReadSocialProfile(QStringView link);
