#include "core/settings/newsline.h"

#include <QString>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
const QString kNews = u"<EN1>New: faster exports</EN1>\r\n<FR1>Nouveau : exports plus rapides</FR1>\r\n"_s;
const QString kLink = u"https://news.example/latest?a=1&b=2"_s;
} // namespace

TEST(BuildNewsLine, TakesTheSectionOfTheLanguageInUpperCase) {
    EXPECT_EQ(BuildNewsLine(kNews, kLink, u"fr"_s),
              u"<a href=\"https://news.example/latest?a=1&b=2\">Nouveau : exports plus rapides</a>"_s);
    EXPECT_EQ(BuildNewsLine(kNews, kLink, u"en"_s),
              u"<a href=\"https://news.example/latest?a=1&b=2\">New: faster exports</a>"_s);
}

TEST(BuildNewsLine, MissingSectionOrNewsGivesAnEmptyLink) {
    EXPECT_EQ(BuildNewsLine(kNews, kLink, u"it"_s), u"<a href=\"https://news.example/latest?a=1&b=2\"></a>"_s);
    EXPECT_EQ(BuildNewsLine(QString(), QString(), u"en"_s), u"<a href=\"\"></a>"_s);
}

TEST(BuildNewsLine, SectionTagsMatchInAnyLetterCase) {
    EXPECT_EQ(BuildNewsLine(u"<es1>Hola</Es1>"_s, u"l"_s, u"es"_s), u"<a href=\"l\">Hola</a>"_s);
}
