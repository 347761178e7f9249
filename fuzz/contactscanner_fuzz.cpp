// The scan of a web page for hidden e-mail addresses and social profiles:
// - every address it yields has the address shape as a whole (checked here with a pattern of
//   its own), is no file name, holds at most 254 characters with a local part of at most 64,
//   ends in a top-level domain of the public suffix list, and no two are equal ignoring case;
// - the social links cell holds at most one link per network, each https://, without query,
//   fragment or blank.
#include "core/contacts/hiddenaddresses.h"
#include "core/contacts/sociallinks.h"
#include "fuzzcheck.h"
#include "fuzztext.h"

#include <QRegularExpression>
#include <QSet>

#include <libpsl.h>

namespace {

bool HasTopLevelDomainOnList(const QString &address) {
    static psl_ctx_t *const suffixes = psl_latest(nullptr);
    const QByteArray tld = address.mid(address.lastIndexOf(u'.') + 1).toLower().toUtf8();
    return suffixes != nullptr &&
           psl_is_public_suffix2(suffixes, tld.constData(), PSL_TYPE_ANY | PSL_TYPE_NO_STAR_RULE) != 0;
}

void CheckAddresses(const QStringList &addresses) {
    static const QRegularExpression shape(QStringLiteral(R"(^[-_.a-zA-Z0-9]+@[-_a-zA-Z0-9]+(\.[-_a-zA-Z0-9]+)+$)"));
    static const QStringList fileExtensions{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                            QStringLiteral("gif"), QStringLiteral("svg"), QStringLiteral("webp"),
                                            QStringLiteral("bmp"), QStringLiteral("ico"), QStringLiteral("css"),
                                            QStringLiteral("js")};
    QSet<QString> folded;
    for (const QString &address : addresses) {
        const auto shown = [&]() -> QString {
            return Shown(address);
        };
        FuzzCheck(shape.match(address).hasMatch(), "an address has the address shape", shown);
        FuzzCheck(!fileExtensions.contains(address.mid(address.lastIndexOf(u'.') + 1).toLower()),
                  "a file name is no address", shown);
        FuzzCheck(address.size() <= 254 && address.indexOf(u'@') <= 64, "an address is not too long", shown);
        FuzzCheck(HasTopLevelDomainOnList(address), "an address ends in a listed top-level domain", shown);
        FuzzCheck(!folded.contains(FoldAsciiReference(address)), "no two addresses are equal ignoring case", shown);
        folded.insert(FoldAsciiReference(address));
    }
}

void CheckSocialLinks(const QString &cell) {
    const QStringList links = cell.split(u';', Qt::SkipEmptyParts);
    FuzzCheck(links.size() <= socialNetworkCount, "at most one link per network", [&] { return Shown(cell); });
    QSet<int> networks;
    for (const QString &link : links) {
        const auto shown = [&]() -> QString {
            return Shown(link);
        };
        FuzzCheck(link.startsWith(QStringLiteral("https://")) && !link.contains(u'?') && !link.contains(u'#') &&
                      !link.contains(QRegularExpression(QStringLiteral(R"(\s)"))),
                  "a link is https:// without query, fragment or blank", shown);
        const std::optional<SocialProfile> profile = ReadSocialProfile(link);
        FuzzCheck(profile && profile->url == link, "a link reads back as itself", shown);
        FuzzCheck(!networks.contains(static_cast<int>(profile->network)), "one link per network", shown);
        networks.insert(static_cast<int>(profile->network));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString page = PageText(data, size);
    CheckAddresses(FindHiddenAddresses(page));
    SocialLinks links;
    links.AddFromPage(page);
    CheckSocialLinks(links.CellText());
    return 0;
}
