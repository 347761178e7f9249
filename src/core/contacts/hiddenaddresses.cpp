#include "core/contacts/hiddenaddresses.h"

#include "core/contacts/addressfilter.h"
#include "core/contacts/bracketaddresses.h"
#include "core/contacts/cloudflareaddresses.h"
#include "core/contacts/mailtoaddresses.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

// One pass over the page finds every form; the capture that took part tells which it is.
enum Capture { CloudflareAttribute = 1, CloudflareLink, MailtoTarget, BracketAt };

const QRegularExpression &HiddenForms() {
    static const QRegularExpression pattern = [] {
        QRegularExpression expression(QStringLiteral(R"(data-cfemail\s*=\s*["']?([0-9a-f]+))"
                                                     R"(|/cdn-cgi/l/email-protection#([0-9a-f]+))"
                                                     R"(|mailto:([^"'<>\s]+)|()") +
                                          BracketAtPattern() + u')',
                                      QRegularExpression::CaseInsensitiveOption);
        expression.optimize();
        return expression;
    }();
    return pattern;
}

void AppendForm(const QString &page, const QRegularExpressionMatch &match, FoundAddresses &found) {
    const qsizetype start = match.capturedStart(0);
    if (match.hasCaptured(BracketAt)) {
        FoundAddress around = BracketAddressAround(page, start, match.capturedEnd(0));
        if (!around.address.isEmpty()) {
            found.append(std::move(around));
        }
    } else if (match.hasCaptured(MailtoTarget)) {
        for (QString &address : MailtoTargetAddresses(match.capturedView(MailtoTarget))) {
            found.append({start, std::move(address)});
        }
    } else {
        const int group = match.hasCaptured(CloudflareAttribute) ? CloudflareAttribute : CloudflareLink;
        QString address = DecodeCloudflareHex(match.capturedView(group));
        if (!address.isEmpty()) {
            found.append({start, std::move(address)});
        }
    }
}

} // namespace

QStringList FindHiddenAddresses(const QString &page) {
    FoundAddresses found;
    QRegularExpressionMatchIterator matches = HiddenForms().globalMatch(page);
    while (matches.hasNext()) {
        AppendForm(page, matches.next(), found);
    }
    // A bracketed address starts before its "at": stable, so the addresses of one mailto: link
    // keep their order.
    std::stable_sort(found.begin(), found.end(),
                     [](const FoundAddress &a, const FoundAddress &b) { return a.position < b.position; });
    // Each distinct address is filtered once: an address a page repeats costs one lookup.
    QStringList addresses;
    QSet<QString> seen;
    for (const FoundAddress &entry : found) {
        QString folded = entry.address.toCaseFolded();
        if (seen.contains(folded)) {
            continue;
        }
        seen.insert(std::move(folded));
        if (IsAcceptableAddress(entry.address)) {
            addresses.append(entry.address);
        }
    }
    return addresses;
}
