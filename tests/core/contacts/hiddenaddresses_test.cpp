#include "core/contacts/addressfilter.h"
#include "core/contacts/hiddenaddresses.h"
#include "core/contacts/publicsuffix.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct PageCase {
    const char *name;
    QString page;
    QStringList addresses;
};

TEST(HiddenAddresses, EachFormIsDecoded) {
    const PageCase cases[] = {
        {"protected attribute",
         uR"(<span class="__cf_email__" data-cfemail="5a33343c351a3b39373f74393537">)"_s,
         {u"info@acme.com"_s}},
        {"protected link",
         u"<a href='/cdn-cgi/l/email-protection#1340727f76605352707e763d707c3d6678'>"_s,
         {u"Sales@Acme.co.uk"_s}},
        {"protected, hex cut short", uR"(data-cfemail="5a33343c351a3b39373f743935370")"_s, {}},
        {"mailto, encoded, with subject",
         uR"(<a href="mailto:J%2Edoe%40acme.com?subject=Hi%20there">)"_s,
         {u"J.doe@acme.com"_s}},
        {"mailto with two addresses",
         uR"(<a href="MAILTO:a@acme.com,%20b@acme.org#x">)"_s,
         {u"a@acme.com"_s, u"b@acme.org"_s}},
        {"square brackets", u"Write to name [at] example [dot] com today"_s, {u"name@example.com"_s}},
        {"parentheses", u"name(at)example.com."_s, {u"name@example.com"_s}},
        {"braces in any case", u"Name { AT } Example {Dot} co {dot} UK"_s, {u"Name@Example.co.UK"_s}},
        {"bare at is no address", u"Meet us at example dot com or at the fair.com"_s, {}},
        {"brackets must pair", u"name [at) example.com"_s, {}},
        {"bracketed at between words", u"We are (at) the fair"_s, {}},
        {"filters apply", u"mailto:logo@2x.png mailto:info@acme.example name [at] acme [dot] invalid"_s, {}},
        {"page order, first kept regardless of case",
         u"b [at] acme.com <a href=\"mailto:a@acme.com\"> <a href=\"mailto:B@ACME.COM\">"_s,
         {u"b@acme.com"_s, u"a@acme.com"_s}},
    };
    for (const PageCase &c : cases) {
        EXPECT_EQ(FindHiddenAddresses(c.page), c.addresses) << c.name;
    }
}

TEST(AddressFilter, ShapeLengthsAndTopLevelDomain) {
    const std::pair<QString, bool> cases[] = {
        {u"info@acme.com"_s, true},
        {u"INFO@ACME.CO.UK"_s, true},
        {u"info@acme.example"_s, false},
        {u"logo@2x.png"_s, false},
        {u"a b@acme.com"_s, false},
        {u"info@acme.com>"_s, false},
        {QString(64, u'x') + u"@acme.com"_s, true},
        {QString(65, u'x') + u"@acme.com"_s, false},
        {u"a@"_s + QString(248, u'd') + u".com"_s, true},
        {u"a@"_s + QString(249, u'd') + u".com"_s, false},
    };
    for (const auto &[address, acceptable] : cases) {
        EXPECT_EQ(IsAcceptableAddress(address), acceptable) << qPrintable(address);
    }
}

TEST(PublicSuffix, RegistrableDomainFollowsTheList) {
    EXPECT_EQ(RegistrableDomain(u"Mail.Example.co.uk"), u"example.co.uk"_s);
    EXPECT_EQ(RegistrableDomain(u"www.acme.com"), u"acme.com"_s);
    EXPECT_EQ(RegistrableDomain(u"co.uk"), QString());
}

} // namespace
