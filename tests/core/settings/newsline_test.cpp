#include "core/settings/newsline.h"

#include <QString>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
const QString kNews = u"<EN1>New: faster exports</EN1>\r\n<FR1>Nouveau : exports plus rapides</FR1>\r\n"_s;
const QString kLink = u"https://news.example/latest?a=1&b=2"_s;
} // namespace

TEST(BuildNewsLine, TakesTheSectionOfTheLanguageInUpperCase) {
    EXPECT_EQ(BuildNewsLine(kNews, kLink, u"fr"_s).markup,
              u"<a href=\"https://news.example/latest?a=1&amp;b=2\">Nouveau : exports plus rapides</a>"_s);
    EXPECT_EQ(BuildNewsLine(kNews, kLink, u"en"_s).markup,
              u"<a href=\"https://news.example/latest?a=1&amp;b=2\">New: faster exports</a>"_s);
}

TEST(BuildNewsLine, MissingSectionOrNewsGivesAnEmptyLink) {
    EXPECT_EQ(BuildNewsLine(kNews, kLink, u"it"_s).markup,
              u"<a href=\"https://news.example/latest?a=1&amp;b=2\"></a>"_s);
    EXPECT_EQ(BuildNewsLine(QString(), QString(), u"en"_s).markup, u"<a href=\"\"></a>"_s);
    EXPECT_EQ(BuildNewsLine(QString(), QString(), u"en"_s).toolTip, QString());
}

TEST(BuildNewsLine, SectionTagsMatchInAnyLetterCase) {
    EXPECT_EQ(BuildNewsLine(u"<es1>Hola</Es1>"_s, u"l"_s, u"es"_s).markup, u"<a href=\"l\">Hola</a>"_s);
}

TEST(BuildNewsLine, TheSectionIsShownAsTextOfAtMost200CharactersWithTheWholeTextAsTooltip) {
    const QString longText = QString(150, u'a') + u" <b>b</b> "_s + QString(100, u'c');
    const struct {
        QString section;
        QString shown;
        QString toolTip;
    } cases[] = {
        {u"<b>Sale</b> &amp; <img src=\"file:///etc/x.png\">"_s, u"Sale &amp; &lt;img src=file:///etc/x.png&gt;"_s,
         u"<p>Sale &amp; &lt;img src=file:///etc/x.png&gt;</p>"_s},
        {u"<h1>Big</h1>\r\n<table><tr><td>1 < 2</td></tr></table>"_s,
         u"&lt;h1&gt;Big&lt;/h1&gt; &lt;table&gt;&lt;tr&gt;&lt;td&gt;1 &lt; 2&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;"_s,
         u"<p>&lt;h1&gt;Big&lt;/h1&gt; &lt;table&gt;&lt;tr&gt;&lt;td&gt;1 &lt; 2&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</p>"_s},
        {QString(200, u'x'), QString(200, u'x'), u"<p>"_s + QString(200, u'x') + u"</p>"_s},
        {longText, QString(150, u'a') + u" b "_s + QString(46, u'c') + u'\u2026',
         u"<p>"_s + QString(150, u'a') + u" b "_s + QString(100, u'c') + u"</p>"_s},
        {QString(198, u'x') + u"\U0001F600yy"_s, QString(198, u'x') + u'\u2026',
         u"<p>"_s + QString(198, u'x') + u"\U0001F600yy</p>"_s},
    };
    for (const auto &c : cases) {
        const NewsLine line = BuildNewsLine(u"<EN1>"_s + c.section + u"</EN1>"_s, u"https://a.example/\""_s, u"en"_s);
        EXPECT_EQ(line.markup, u"<a href=\"https://a.example/&quot;\">"_s + c.shown + u"</a>"_s)
            << c.section.toStdString();
        EXPECT_EQ(line.toolTip, c.toolTip) << c.section.toStdString();
    }
}
