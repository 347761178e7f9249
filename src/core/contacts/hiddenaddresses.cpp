#include "core/contacts/hiddenaddresses.h"

#include "core/contacts/addressfilter.h"
#include "core/contacts/bracketaddresses.h"
#include "core/contacts/cloudflareaddresses.h"
#include "core/contacts/mailtoaddresses.h"

#include <QSet>

#include <algorithm>

QStringList FindHiddenAddresses(const QString &page) {
    FoundAddresses found;
    FindCloudflareAddresses(page, found);
    FindMailtoAddresses(page, found);
    FindBracketAddresses(page, found);
    // Stable: the addresses of one mailto: link keep their order.
    std::stable_sort(found.begin(), found.end(),
                     [](const FoundAddress &a, const FoundAddress &b) { return a.position < b.position; });
    QStringList addresses;
    QSet<QString> listed;
    for (const FoundAddress &entry : found) {
        if (!IsAcceptableAddress(entry.address)) {
            continue;
        }
        QString folded = entry.address.toCaseFolded();
        if (!listed.contains(folded)) {
            listed.insert(std::move(folded));
            addresses.append(entry.address);
        }
    }
    return addresses;
}
