#include "core/contacts/sociallinks.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SocialProfile, OnlyProfilesAreRead) {
    const std::pair<QString, QString> cases[] = {
        {u"https://uk.linkedin.com/company/acme/about/?trk=1"_s, u"https://www.linkedin.com/company/acme"_s},
        {u"https://www.linkedin.com/shareArticle?url=x"_s, u""_s},
        {u"https://www.linkedin.com/in/jane"_s, u""_s},
        {u"https://www.linkedin.com/"_s, u""_s},
        {u"//twitter.com/acme"_s, u"https://twitter.com/acme"_s},
        {u"https://twitter.com/intent/tweet?text=x"_s, u""_s},
        {u"https://twitter.com/share?url=x"_s, u""_s},
        {u"https://x.com/acme/status/1"_s, u""_s},
        {u"http://m.facebook.com/acme.shop/#top"_s, u"https://www.facebook.com/acme.shop"_s},
        {u"https://www.facebook.com/sharer.php?u=x"_s, u""_s},
        {u"https://www.facebook.com/acme/posts/1"_s, u""_s},
        {u"https://instagram.com/acme_co"_s, u"https://www.instagram.com/acme_co"_s},
        {u"https://www.instagram.com/p/abc/"_s, u""_s},
        {u"https://www.youtube.com/@acme/videos"_s, u"https://www.youtube.com/@acme"_s},
        {u"https://www.youtube.com/channel/UC1x"_s, u"https://www.youtube.com/channel/UC1x"_s},
        {u"https://www.youtube.com/watch?v=1"_s, u""_s},
        {u"https://github.com/acme-corp"_s, u"https://github.com/acme-corp"_s},
        {u"https://github.com/acme/widget"_s, u""_s},
        {u"https://api.github.com/acme"_s, u""_s},
        {u"https://www.tiktok.com/@acme"_s, u"https://www.tiktok.com/@acme"_s},
        {u"https://www.tiktok.com/@acme/video/1"_s, u""_s},
        {u"https://www.xing.com/pages/acme"_s, u"https://www.xing.com/pages/acme"_s},
        {u"https://notlinkedin.com/company/acme"_s, u""_s},
    };
    for (const auto &[link, expected] : cases) {
        const std::optional<SocialProfile> profile = ReadSocialProfile(link);
        EXPECT_EQ(profile ? profile->url : QString(), expected) << qPrintable(link);
    }
}

TEST(SocialLinks, FirstOfEachNetworkInTheNetworksOrder) {
    SocialLinks links;
    links.AddFromPage(uR"(<a href="https://github.com/acme">gh</a>
        <a href="https://twitter.com/intent/tweet?url=x">share</a><a href='https://x.com/acme?s=1'>x</a>
        <a href="https://www.linkedin.com/company/first">in</a>)"_s);
    links.AddFromPage(u"<a href=\"https://www.linkedin.com/company/second\">in</a>"_s);
    EXPECT_EQ(links.CellText(), u"https://www.linkedin.com/company/first;https://x.com/acme;https://github.com/acme"_s);
    links.Clear();
    EXPECT_EQ(links.CellText(), QString());
}

} // namespace
