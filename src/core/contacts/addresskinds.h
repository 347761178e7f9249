#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>
#include <QStringView>

enum class AddressKind {
    Role = 0x1,
    NoReply = 0x2,
    FreeMail = 0x4,
    OtherDomain = 0x8, // the registrable domain differs from the web site's; never with FreeMail
};
Q_DECLARE_FLAGS(AddressKinds, AddressKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(AddressKinds)

// The registrable domain of a web site's address, with or without a scheme; empty when it has none.
QString WebsiteDomain(QStringView websiteUrl);
// The kinds of address; siteDomain is WebsiteDomain() of the site it was found on, and when it is
// empty no address is of another domain.
AddressKinds KindsOfAddress(QStringView address, QStringView siteDomain);
// The kinds as a cell text: "role", "no-reply", "free mail", "other domain" in that order, joined
// by ", "; empty for none.
QString AddressKindText(AddressKinds kinds);
// AddressKindText() of each address, in the list's order.
QStringList AddressKindTexts(const QStringList &addresses, QStringView websiteUrl);
