#include "samplesite/memberaboutpage.h"

#include "samplesite/drawnpage.h"
#include "samplesite/markuptext.h"
#include "samplesite/samplecompany.h"
#include "samplesite/startvariation.h"

#include <utility>

namespace {

constexpr int drawMinMs = 200;
constexpr int drawMaxMs = 800;

// Roles of the variation's class names, apart from the ones the result pages use.
enum Role { Nav = 40, Main, Skeleton, Section, Heading, Text, List, Term, TermHeading, Detail, Link, Members };

QString TermMarkup(const StartVariation &variation, const QString &label) {
    return u"<dt class=\"" + variation.ClassName(Term) + u"\"><h3 class=\"" + variation.ClassName(TermHeading) +
           u"\">" + label + u"</h3></dt>\n";
}

QString DetailMarkup(const StartVariation &variation, const QString &markup) {
    return u"<dd class=\"" + variation.ClassName(Detail) + u"\">\n    " + markup + u"\n  </dd>\n";
}

QString Overview(const SampleCompany &company, const QString &site, const StartVariation &variation) {
    QString list;
    if (!site.isEmpty()) {
        list += TermMarkup(variation, QStringLiteral("Website")) +
                DetailMarkup(variation, u"<a class=\"" + variation.ClassName(Link) + u"\" href=\"" + HtmlEscaped(site) +
                                            u"\" target=\"_blank\" rel=\"noopener noreferrer\"><span>" +
                                            HtmlEscaped(site) + u"</span></a>");
    }
    const QString headquarters = company.state.isEmpty() ? company.city : company.city + u", " + company.state;
    const std::pair<const char *, QString> entries[] = {
        {"Industry", company.industryOnlyInSearch ? QString() : company.industry},
        {"Company size", company.size},
        {"Headquarters", headquarters},
        {"Type", company.type},
        {"Founded", company.founded},
        {"Specialties", company.specialties.join(u", ")},
    };
    for (const auto &[label, value] : entries) {
        if (value.isEmpty()) {
            continue;
        }
        list += TermMarkup(variation, QLatin1String(label)) + DetailMarkup(variation, HtmlEscaped(value));
        if (QLatin1String(label) == u"Company size") {
            // LinkedIn's own count of members who name the company; not its size.
            const QString members = QString::number(3 + company.linkedInId.toLongLong() % 400);
            list += u"<dd class=\"" + variation.ClassName(Members) + u"\"><span>" + members +
                    u" associated members</span></dd>\n";
        }
    }
    return u"<section class=\"" + variation.ClassName(Section) + u"\"><h2 class=\"" + variation.ClassName(Heading) +
           u"\">Overview</h2>\n<p class=\"" + variation.ClassName(Text) + u"\">" + HtmlEscaped(company.name) +
           u" on LinkedIn (sample).</p>\n<dl class=\"" + variation.ClassName(List) + u"\">\n" + list +
           u"</dl>\n</section>\n";
}

} // namespace

QString MemberAboutPage(const SampleCompany &company, const QString &siteBase, const StartVariation &variation) {
    const QString site = company.website.isEmpty() ? QString() : siteBase + company.website;
    return DrawnPage{.title = company.name + u": About | LinkedIn (sample)",
                     .beforeMain = u"<nav class=\"" + variation.ClassName(Nav) +
                                   u"\"><a href=\"/\">LinkedIn (sample)</a> <a href=\"/feed/nhome/\">Home</a></nav>\n",
                     .mainClass = variation.ClassName(Main),
                     .placeholder = u"<div class=\"" + variation.ClassName(Skeleton) + u"\"></div>",
                     .content = Overview(company, site, variation),
                     .afterMain = {},
                     .extraScript = {},
                     .delayMs = variation.DrawDelay(drawMinMs, drawMaxMs)}
        .Html();
}
