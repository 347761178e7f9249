// The e-mail harvest's readers on a web page:
// - every contact link found occurs in the page (read with "&amp;" as "&", as links are),
//   no two equal ignoring case;
// - every e-mail address found occurs in the page, none is a file name, no two are equal
//   ignoring case, and an address already listed is not added again.
#include "core/enrichment/contactlinks.h"
#include "core/enrichment/emailaddresses.h"
#include "fuzzcheck.h"
#include "fuzztext.h"

namespace {

const QStringList &Keywords() {
    static const QStringList keywords{QStringLiteral("contact"), QStringLiteral("support"),
                                      QStringLiteral("customer service"), QStringLiteral("about")};
    return keywords;
}

void CheckFoundInPageAndDistinct(const QString &page, const QStringList &found, const char *what) {
    for (qsizetype i = 0; i < found.size(); ++i) {
        FuzzCheck(page.contains(found[i]), what,
                  [&]() -> QString { return Shown(found[i]) + QStringLiteral(" is not in the page"); });
        for (qsizetype j = 0; j < i; ++j) {
            FuzzCheck(found[i].compare(found[j], Qt::CaseInsensitive) != 0, what,
                      [&]() -> QString { return Shown(found[j]) + QStringLiteral(" and ") + Shown(found[i]); });
        }
    }
}

void CheckEmailAddresses(const QString &page) {
    QStringList addresses;
    AppendEmailAddresses(page, addresses);
    CheckFoundInPageAndDistinct(page, addresses, "every address found occurs in the page, no two equal ignoring case");
    static const QStringList fileExtensions{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("css"),
                                            QStringLiteral("js")};
    for (const QString &address : addresses) {
        const QString extension = address.mid(address.lastIndexOf(u'.') + 1).toLower();
        FuzzCheck(!fileExtensions.contains(extension), "a file name is no address",
                  [&]() -> QString { return Shown(address); });
    }
    // The harvest keeps one list over several pages: what it holds, in any case, is not added.
    QStringList listed;
    for (const QString &address : addresses) {
        listed.append(FoldAsciiReference(address));
    }
    AppendEmailAddresses(page, listed);
    FuzzCheck(listed.size() == addresses.size(), "an address listed already is not added again",
              [&]() -> QString { return listed.join(u' '); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString page = PageText(data, size);
    const QStringList links = FindContactLinks(page, Keywords(), Keywords());
    const QString decodedPage = QString(page).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    CheckFoundInPageAndDistinct(decodedPage, links,
                                "every contact link occurs in the page, no two equal ignoring case");
    for (const QString &link : links) {
        IsFetchableLink(ResolveContactLink(QStringLiteral("www.example.com/shop"), link));
    }
    CheckEmailAddresses(page);
    return 0;
}
