#include "core/contacts/addresskinds.h"

#include "core/contacts/freemail.h"
#include "core/contacts/mailboxwords.h"
#include "core/contacts/publicsuffix.h"

#include <QRegularExpression>
#include <QUrl>

#include <utility>

QString WebsiteDomain(QStringView websiteUrl) {
    const QString host = QUrl::fromUserInput(websiteUrl.trimmed().toString()).host();
    // A site reached by its address has no domain an e-mail address could share.
    static const QRegularExpression ipv4(QStringLiteral(R"(^\d{1,3}(\.\d{1,3}){3}$)"));
    if (host.contains(u':') || ipv4.match(host).hasMatch()) {
        return {};
    }
    return RegistrableDomain(host);
}

AddressKinds KindsOfAddress(QStringView address, QStringView siteDomain) {
    const qsizetype at = address.lastIndexOf(u'@');
    const QStringView localPart = address.left(at < 0 ? 0 : at);
    const QStringView domain = address.mid(at + 1);
    AddressKinds kinds;
    kinds.setFlag(AddressKind::Role, IsRoleLocalPart(localPart));
    kinds.setFlag(AddressKind::NoReply, IsNoReplyLocalPart(localPart));
    if (IsFreeMailDomain(domain)) {
        kinds |= AddressKind::FreeMail;
    } else if (!siteDomain.isEmpty() && RegistrableDomain(domain) != siteDomain) {
        kinds |= AddressKind::OtherDomain;
    }
    return kinds;
}

QString AddressKindText(AddressKinds kinds) {
    static const std::pair<AddressKind, QString> names[] = {
        {AddressKind::Role, QStringLiteral("role")},
        {AddressKind::NoReply, QStringLiteral("no-reply")},
        {AddressKind::FreeMail, QStringLiteral("free mail")},
        {AddressKind::OtherDomain, QStringLiteral("other domain")},
    };
    QStringList parts;
    for (const auto &[kind, name] : names) {
        if (kinds.testFlag(kind)) {
            parts.append(name);
        }
    }
    return parts.join(QStringLiteral(", "));
}

QStringList AddressKindTexts(const QStringList &addresses, QStringView websiteUrl) {
    const QString siteDomain = WebsiteDomain(websiteUrl);
    QStringList texts;
    texts.reserve(addresses.size());
    for (const QString &address : addresses) {
        texts.append(AddressKindText(KindsOfAddress(address, siteDomain)));
    }
    return texts;
}
