// The public company page reader, twice per input:
// - the input as the page: it says it filled a cell exactly when a cell holds text;
// - the input behind a web site entry whose link wraps an address (printable ASCII of the input)
//   in LinkedIn's redirect: the web site is that address, never the wrapper.
#include "core/enrichment/publiccompanypage.h"
#include "core/model/leadrow.h"
#include "fuzzcheck.h"
#include "fuzztext.h"

#include <QUrl>

#include <algorithm>

namespace {

constexpr qsizetype longestAddress = 200;
constexpr QStringView wrapperPath = u"/redir/redirect";

bool AnyCellFilled(const LeadRow &row) {
    return std::any_of(row.cells.cbegin(), row.cells.cend(), [](const QString &cell) { return !cell.isEmpty(); });
}

// The printable ASCII of the page's start, without the wrapper's path, trimmed.
QString AddressFrom(const QString &page) {
    QString address;
    for (const QChar c : QStringView(page).left(longestAddress)) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            address += c;
        }
    }
    // Removing one occurrence can join the text around it into another.
    while (address.contains(wrapperPath)) {
        address.remove(wrapperPath.toString());
    }
    return address.trimmed();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString page = PageText(data, size);
    LeadRow row;
    const bool filled = ReadPublicCompanyPage(page, row);
    FuzzCheck(filled == AnyCellFilled(row), "true exactly when a cell holds text");

    const QString address = AddressFrom(page);
    const QString wrapper = u"https://www.linkedin.com/redir/redirect?url=" %
                            QString::fromLatin1(QUrl::toPercentEncoding(address)) % u"&amp;urlhash=Ab1";
    const QString wrapped = u"<dl><div data-test-id=\"about-us__website\"><dt>Website</dt><dd><a href=\"" % wrapper %
                            u"\">site</a></dd></div></dl>" % page;
    LeadRow wrappedRow;
    FuzzCheck(ReadPublicCompanyPage(wrapped, wrappedRow), "the web site entry fills a cell");
    const QString &website = wrappedRow[LeadRow::Website];
    // Without an address the wrapper has nothing to unwrap and stands as the link.
    const QString expected =
        address.isEmpty() ? QStringLiteral("https://www.linkedin.com/redir/redirect?url=&urlhash=Ab1") : address;
    FuzzCheck(website == expected, "the web site is the wrapped address",
              [&] { return QStringLiteral("web site %1, wrapped %2").arg(Shown(website), Shown(address)); });
    FuzzCheck(address.isEmpty() || !website.contains(wrapperPath), "an unwrapped web site holds no wrapper");
    return 0;
}
