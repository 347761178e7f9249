#include "core/enrichment/emailaddresses.h"

#include "core/contacts/addressshape.h"

#include <QSet>

#include <utility>

void AppendEmailAddresses(const QString &page, QStringList &list) {
    // Case-folded copies of the entries make each duplicate test one hash lookup.
    QSet<QString> listed;
    listed.reserve(list.size());
    for (const QString &entry : list) {
        listed.insert(entry.toCaseFolded());
    }
    QRegularExpressionMatchIterator matches = EmailAddressPattern().globalMatch(page);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QStringView address = match.capturedView(0);
        if (HasFileNameExtension(address)) {
            continue;
        }
        QString folded = address.toString().toCaseFolded();
        if (!listed.contains(folded)) {
            listed.insert(std::move(folded));
            list.append(address.toString());
        }
    }
}
