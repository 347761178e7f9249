#include "core/contacts/freemail.h"

#include "core/contacts/publicsuffix.h"
#include "freemailproviders.h"

#include <QSet>
#include <QString>

namespace {

struct Providers {
    QSet<QString> domains;
    QSet<QString> anySuffix; // the names of "name.*" lines
};

const Providers &FreeMailProviders() {
    static const Providers providers = [] {
        Providers read;
        const QString text = QString::fromUtf8(freeMailProviders);
        for (const QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts)) {
            const QString entry = line.trimmed().toString().toLower();
            if (entry.endsWith(QStringLiteral(".*"))) {
                read.anySuffix.insert(entry.chopped(2));
            } else if (!entry.isEmpty()) {
                read.domains.insert(entry);
            }
        }
        return read;
    }();
    return providers;
}

} // namespace

bool IsFreeMailDomain(QStringView domain) {
    const Providers &providers = FreeMailProviders();
    const QString registrable = RegistrableDomain(domain);
    if (registrable.isEmpty()) {
        return false;
    }
    return providers.domains.contains(registrable) ||
           providers.anySuffix.contains(registrable.left(registrable.indexOf(u'.')));
}
