// The card reader's answer comes from a page anyone may write: whatever it holds, every card
// the program takes links a company page of the LinkedIn site, in its one canonical form.
#include "core/extraction/resultcards.h"
#include "fuzzcheck.h"

#include <QRegularExpression>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const QString bases[] = {QStringLiteral("https://www.linkedin.com"),
                                    QStringLiteral("http://127.0.0.1:8080")};
    static const QRegularExpression slug(QStringLiteral("^[A-Za-z0-9%._~-]+$"));
    const QByteArray json(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QString &base : bases) {
        const std::optional<CardsPage> page = ParseCardsPage(json, base);
        if (!page) {
            continue;
        }
        const QString prefix = base + QStringLiteral("/company/");
        for (const ResultCard &card : page->cards) {
            const QString link = card.link;
            const QString rest = link.mid(prefix.size());
            FuzzCheck(link.startsWith(prefix) && rest.endsWith(u'/') && slug.match(rest.chopped(1)).hasMatch(),
                      "a card links a company page of the site: base, /company/, one slug, /",
                      [&] { return Shown(link); });
            FuzzCheck(CanonicalCompanyLink(link, base) == link, "a card's link is already canonical",
                      [&] { return Shown(link); });
        }
    }
    return 0;
}
