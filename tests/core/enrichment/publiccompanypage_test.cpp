#include "core/enrichment/aboutoverview.h"
#include "core/enrichment/publiccompanypage.h"
#include "core/enrichment/signinwall.h"
#include "core/model/leadrow.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Cells = std::map<int, QString>;

QString Entry(const QString &name, const QString &detail) {
    return u"<div class=\"x1\" data-test-id=\"about-us__" % name % u"\">\n  <dt>" % name %
           u"</dt>\n  <dd class=\"y2\">" % detail % u"</dd>\n</div>\n";
}

QString LdJson(const QString &json) {
    return u"<script type=\"application/ld+json\">" % json % u"</script>";
}

const QString postal = QStringLiteral(R"("address":{"@type":"PostalAddress","streetAddress":"1 Main St",)"
                                      R"("addressLocality":"Springfield","addressRegion":"IL","postalCode":"62701",)"
                                      R"("addressCountry":"US"})");
const Cells postalCells{
    {LeadRow::Address, u"1 Main St"_qs}, {LeadRow::City, u"Springfield"_qs},
    {LeadRow::State, u"IL"_qs},          {LeadRow::PostalCode, u"62701"_qs},
    {LeadRow::Country, u"US"_qs},        {LeadRow::FullAddress, u"1 Main St, Springfield, IL 62701, US"_qs}};

// Every cell not named must stay empty.
void ExpectRow(const LeadRow &row, const Cells &cells, const char *name) {
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        const auto expected = cells.find(column);
        EXPECT_EQ(row[column], expected == cells.end() ? QString() : expected->second) << name << ", column " << column;
    }
}

struct PageCase {
    const char *name;
    QString page;
    Cells cells;
};

TEST(PublicCompanyPage, ReadsEntriesAndOrganization) {
    const PageCase cases[] = {
        {"redirect with encoded url",
         Entry(
             u"website"_qs,
             uR"(<a href="https://www.linkedin.com/redir/redirect?url=https%3A%2F%2Fwww%2Eacme%2Eexample%2Fen%3Fa%3D1&amp;urlhash=Ab">acme</a>)"_qs),
         {{LeadRow::Website, u"https://www.acme.example/en?a=1"_qs}}},
        {"redirect without url",
         Entry(u"website"_qs, u"<a href='/redir/redirect?urlhash=Ab'>acme</a>"_qs),
         {{LeadRow::Website, u"/redir/redirect?urlhash=Ab"_qs}}},
        {"plain link and text without link",
         Entry(u"website"_qs, u"<a class=\"l\" href=\"http://acme.example\">x</a>"_qs) +
             Entry(u"industry"_qs, u"\n   Machinery &amp; <b>Tools</b>&nbsp; &#x2019;&#8212;\n"_qs),
         {{LeadRow::Website, u"http://acme.example"_qs}, {LeadRow::Industry, u"Machinery & Tools \u2019\u2014"_qs}}},
        {"each entry to its cell, first one counts",
         Entry(u"size"_qs, u"51-200 employees"_qs) + Entry(u"organizationType"_qs, u"Privately Held"_qs) +
             Entry(u"foundedOn"_qs, u"1998"_qs) + Entry(u"specialties"_qs, u"Widgets, Gadgets"_qs) +
             Entry(u"size"_qs, u"2-10 employees"_qs) + Entry(u"unknown"_qs, u"x"_qs),
         {{LeadRow::CompanySize, u"51-200 employees"_qs},
          {LeadRow::Type, u"Privately Held"_qs},
          {LeadRow::Founded, u"1998"_qs},
          {LeadRow::Specialties, u"Widgets, Gadgets"_qs}}},
        {"other @type skipped",
         LdJson(uR"({"@type":"WebPage","address":{"addressLocality":"Nowhere"}})"_qs) +
             LdJson(u"{\"@type\":\"Organization\"," % postal % u'}'),
         postalCells},
        {"@graph with a type array",
         LdJson(u"{\"@graph\":[{\"@type\":\"WebSite\"},{\"@type\":[\"Corporation\",\"Organization\"]," % postal %
                u"}]}"),
         postalCells},
        {"country object, parts missing",
         LdJson(uR"([{"@type":"Organization","address":{"addressLocality":" Berlin ","postalCode":"10115",
                    "addressCountry":{"@type":"Country","name":"DE"}}}])"_qs),
         {{LeadRow::City, u"Berlin"_qs},
          {LeadRow::PostalCode, u"10115"_qs},
          {LeadRow::Country, u"DE"_qs},
          {LeadRow::FullAddress, u"Berlin 10115, DE"_qs}}},
        {"headquarters line without an address block",
         Entry(u"headquarters"_qs, u"Springfield, IL"_qs),
         {{LeadRow::City, u"Springfield"_qs},
          {LeadRow::State, u"IL"_qs},
          {LeadRow::FullAddress, u"Springfield, IL"_qs}}},
        {"broken markup and JSON",
         LdJson(u"{\"@type\":"_qs) + u"<dd>x</dd><div data-test-id=\"about-us__industry\"><dd><b class=\"x"_qs,
         {}},
    };
    for (const PageCase &test : cases) {
        LeadRow row;
        const bool filled = ReadPublicCompanyPage(u"<html><body><dl>"_qs + test.page + u"</dl></body></html>"_qs, row);
        EXPECT_EQ(filled, !test.cells.empty()) << test.name;
        ExpectRow(row, test.cells, test.name);
    }
}

TEST(SignInWall, ByPathOrStatus) {
    const struct {
        const char *url;
        long status;
        bool wall;
    } cases[] = {
        {"https://www.linkedin.com/authwall?trk=gf&sessionRedirect=x", 200, true},
        {"https://www.linkedin.com/login?session_redirect=%2Fcompany%2Facme", 200, true},
        {"https://de.linkedin.com/uas/login?trk=x", 200, true},
        {"http://127.0.0.1:8080/authwall/", 200, true},
        {"https://www.linkedin.com/company/acme/", 999, true},
        {"https://www.linkedin.com/company/acme/", 200, false},
        {"https://www.linkedin.com/loginhelp", 200, false},
        {"https://www.linkedin.com/company/login", 200, false},
    };
    for (const auto &test : cases) {
        EXPECT_EQ(IsSignInWall(QString::fromLatin1(test.url), test.status), test.wall)
            << test.url << " " << test.status;
    }
}

TEST(AboutOverview, ReadsKnownLabelsInAnyCase) {
    const struct {
        const char *name;
        QList<OverviewEntry> entries;
        Cells cells;
    } cases[] = {
        {"all labels",
         {{u"Website"_qs, u"acme.example"_qs,
           u"https://www.linkedin.com/redir/redirect?url=https%3A%2F%2Facme%2Eexample&urlhash=x"_qs},
          {u"Industry"_qs, u"Machinery"_qs, {}},
          {u"Company size"_qs, u"51-200 employees"_qs, {}},
          {u"Headquarters"_qs, u"Springfield, Illinois, US"_qs, {}},
          {u"Type"_qs, u"Privately Held"_qs, {}},
          {u"Founded"_qs, u"1998"_qs, {}},
          {u"Specialties"_qs, u"Widgets and Gadgets"_qs, {}}},
         {{LeadRow::Website, u"https://acme.example"_qs},
          {LeadRow::Industry, u"Machinery"_qs},
          {LeadRow::CompanySize, u"51-200 employees"_qs},
          {LeadRow::FullAddress, u"Springfield, Illinois, US"_qs},
          {LeadRow::City, u"Springfield"_qs},
          {LeadRow::State, u"Illinois, US"_qs},
          {LeadRow::Type, u"Privately Held"_qs},
          {LeadRow::Founded, u"1998"_qs},
          {LeadRow::Specialties, u"Widgets and Gadgets"_qs}}},
        {"other case, no web link, city alone",
         {{u"  WEBSITE "_qs, u"acme.example"_qs, u"mailto:info@acme.example"_qs},
          {u"company SIZE"_qs, u"2-10"_qs, {}},
          {u"headquarters"_qs, u"Berlin"_qs, {}}},
         {{LeadRow::Website, u"acme.example"_qs},
          {LeadRow::CompanySize, u"2-10"_qs},
          {LeadRow::City, u"Berlin"_qs},
          {LeadRow::FullAddress, u"Berlin"_qs}}},
        {"unknown labels only", {{u"Phone"_qs, u"123"_qs, {}}, {u"Industry"_qs, {}, {}}}, {}},
    };
    for (const auto &test : cases) {
        LeadRow row;
        EXPECT_EQ(ReadAboutOverview(test.entries, row), !test.cells.empty()) << test.name;
        ExpectRow(row, test.cells, test.name);
    }
}

} // namespace
