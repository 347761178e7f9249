#include "core/queue/searchqueue.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Site = u"https://www.linkedin.com"_s;

struct ParseCase {
    const char *name;
    QString text;
    QStringList addresses;
    QStringList fileNames;
};

class QueueText : public testing::TestWithParam<ParseCase> {};

TEST_P(QueueText, GivesAddressesAndUniqueFileNames) {
    const SearchQueue queue = SearchQueue::FromText(GetParam().text, Site);
    QStringList addresses;
    QStringList names;
    for (const QueuedSearch &search : queue.searches()) {
        addresses.append(search.address);
        names.append(search.fileName);
        EXPECT_FALSE(search.done);
    }
    EXPECT_EQ(addresses, GetParam().addresses);
    EXPECT_EQ(names, GetParam().fileNames);
    EXPECT_EQ(queue.current(), 0);
}

const QString Munich = Site + u"/search/results/companies/?keywords=software%20Munich&origin=SWITCH_SEARCH_VERTICAL"_s;
const QString Berlin = Site + u"/search/results/companies/?keywords=software%20Berlin&origin=SWITCH_SEARCH_VERTICAL"_s;

INSTANTIATE_TEST_SUITE_P(
    Lines, QueueText,
    testing::Values(
        ParseCase{"KeywordsBecomeCompanySearches",
                  u"software Munich\nsoftware Berlin"_s,
                  {Munich, Berlin},
                  {u"software Munich"_s, u"software Berlin"_s}},
        ParseCase{"BlankLinesCommentsAndLineEndsSkipped",
                  u"# cities\r\n\r\n  software Munich  \r\n   \n#software Berlin\n"_s,
                  {Munich},
                  {u"software Munich"_s}},
        ParseCase{"AddressesKeptAsTheyStand",
                  u"https://www.linkedin.com/search/results/companies/?keywords=fintech&page=3\n"
                  u"http://www.linkedin.com/search/results/companies/?origin=X"_s,
                  {Site + u"/search/results/companies/?keywords=fintech&page=3"_s,
                   u"http://www.linkedin.com/search/results/companies/?origin=X"_s},
                  {u"fintech"_s, u"Search 2"_s}},
        ParseCase{"SameKeywordsNumberedWhateverTheCase",
                  u"software Munich\nSoftware MUNICH\nsoftware munich"_s,
                  {Munich,
                   Site + u"/search/results/companies/?keywords=Software%20MUNICH&origin=SWITCH_SEARCH_VERTICAL"_s,
                   Site + u"/search/results/companies/?keywords=software%20munich&origin=SWITCH_SEARCH_VERTICAL"_s},
                  {u"software Munich"_s, u"Software MUNICH (2)"_s, u"software munich (3)"_s}},
        ParseCase{"FileNamesCleanedAsExportNames",
                  u"a/b: c?*\"<>|d\\e"_s,
                  {Site + u"/search/results/companies/?keywords=a%2Fb%3A%20c%3F%2A%22%3C%3E%7Cd%5Ce"
                          u"&origin=SWITCH_SEARCH_VERTICAL"_s},
                  {u"ab cde"_s}},
        ParseCase{"SignsAndLettersEncoded",
                  u"C++ & Co   Zürich"_s,
                  {Site + u"/search/results/companies/?keywords=C%2B%2B%20%26%20Co%20Z%C3%BCrich"
                          u"&origin=SWITCH_SEARCH_VERTICAL"_s},
                  {u"C++ & Co Zürich"_s}},
        ParseCase{"NothingButComments", u"# none\n\n"_s, {}, {}}),
    [](const testing::TestParamInfo<ParseCase> &info) { return info.param.name; });

} // namespace
