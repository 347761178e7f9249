#include "samplesite/companysite.h"

#include "samplesite/markuptext.h"
#include "samplesite/samplecompany.h"
#include "samplesite/samplecontacts.h"

// The home page carries the first address as a mailto link, an image whose file name looks like
// an address, and the one link a harvester takes for a contact page; the contact page repeats
// the first address and adds the second.

namespace {

QString Page(const SampleCompany &company, const QString &title, const QString &body) {
    return u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           HtmlEscaped(title + u" | " + company.name) + u"</title>\n</head>\n<body>\n<h1>" + HtmlEscaped(company.name) +
           u"</h1>\n" + body + u"</body>\n</html>\n";
}

QString MailLink(const QString &address) {
    return u"<a href=\"mailto:" + address + u"\">" + address + u"</a>";
}

} // namespace

namespace CompanySite {

QString HomePage(const SampleCompany &company) {
    return Page(company, QStringLiteral("Welcome"),
                u"<p><img src=\"logo@2x.png\" alt=\"Logo\" width=\"120\" height=\"40\"></p>\n<p>" +
                    HtmlEscaped(company.industry) + u" since " + HtmlEscaped(company.founded) + u".</p>\n<p>Write to " +
                    MailLink(company.emails.value(0)) + u".</p>\n" + SampleContacts::HomePageExtras(company) +
                    u"<p><a href=\"contact.html\">Contact us</a></p>\n");
}

QString ContactPage(const SampleCompany &company) {
    return Page(company, QStringLiteral("Contact"),
                u"<p>General questions: " + MailLink(company.emails.value(0)) + u"</p>\n<p>Orders: " +
                    MailLink(company.emails.value(1)) + u"</p>\n" + SampleContacts::ContactPageExtras(company) +
                    u"<p>" + HtmlEscaped(company.street) + u", " + HtmlEscaped(company.zip + u' ' + company.city) +
                    u"</p>\n<p><a href=\"./\">Home</a></p>\n");
}

} // namespace CompanySite
