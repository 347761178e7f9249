#pragma once

#include "core/dns/mailserverstatus.h"

#include <QString>
#include <QStringView>

#include <span>

struct SampleCompany;

// The contacts a company's web site hides from a plain scan, and its links to social networks.
namespace SampleContacts {

constexpr int HiddenFormsEntry = 2;
constexpr int FreeMailEntry = 5;

// Fills the company's hiddenEmails, their pages and kinds, and its social links.
void AddHiddenContacts(SampleCompany &company, int entry);
// The markup the company's home page and contact page add for them ("" for most companies).
QString HomePageExtras(const SampleCompany &company);
QString ContactPageExtras(const SampleCompany &company);

// A zone of the sample name server: a name, or "*." and a domain for every name below it, and
// what DNS says of mail sent there. No other name exists.
struct MailZone {
    QStringView name;
    MailServerStatus status;
};
// The companies' own domains and gmail.com have MX, ".example.org" domains an address only.
std::span<const MailZone> MailZones();
// What the zones say of a mail domain, as the mail server check writes it: "has MX", "no MX (A
// fallback)", or "no mail server" for a name no zone covers (the ".example.net" domains).
QString MailServerOf(const QString &domain);

} // namespace SampleContacts
