#pragma once

#include <QString>

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

// What the sample name server knows of a mail domain: "has MX" for the companies' own domains
// and gmail.com, "no MX (A fallback)" for ".example.org" domains, which have an address only,
// and "no mail server" for any other name.
QString MailServerOf(const QString &domain);

} // namespace SampleContacts
