#include "samplesite/samplecontacts.h"

#include "samplesite/samplecompany.h"

using namespace Qt::StringLiterals;

namespace {

// A handle every network accepts: letters and digits only, at most 15 of them.
QString Handle(const SampleCompany &company) {
    QString handle;
    for (const QChar c : company.slug) {
        if (c.isLetterOrNumber() && handle.size() < 15) {
            handle += c;
        }
    }
    return handle;
}

// Cloudflare's protection: a key byte, then every byte of the address XORed with it, in hex.
QString CloudflareEncoded(const QString &address, quint8 key) {
    QByteArray bytes(1, char(key));
    for (const char c : address.toUtf8()) {
        bytes += char(quint8(c) ^ key);
    }
    return QString::fromLatin1(bytes.toHex());
}

QString Link(const QString &address, const QString &text) {
    return u"<a href=\""_s + address + u"\">"_s + text + u"</a>"_s;
}

} // namespace

namespace SampleContacts {

void AddHiddenContacts(SampleCompany &company, int entry) {
    const QString handle = Handle(company);
    if (entry == HiddenFormsEntry) {
        company.hiddenEmails = {u"office@"_s + company.slug + u".example.com"_s,
                                u"anna.bianchi@"_s + company.slug + u".example.com"_s};
        company.emailPages += {QString(), u"contact.html"_s};
        company.emailKinds += {u"role"_s, QString()};
        company.socialLinks = {u"https://www.linkedin.com/company/"_s + company.slug, u"https://x.com/"_s + handle,
                               u"https://www.instagram.com/"_s + handle, u"https://www.youtube.com/@"_s + handle,
                               u"https://github.com/"_s + handle};
    } else if (entry == FreeMailEntry) {
        company.hiddenEmails = {handle + u"@gmail.com"_s, u"hello@"_s + company.slug + u".example.org"_s,
                                u"orders@"_s + company.slug + u".example.net"_s};
        company.emailPages += {QString(), u"contact.html"_s, u"contact.html"_s};
        company.emailKinds += {u"free mail"_s, u"role"_s, u"role"_s};
    }
}

QString HomePageExtras(const SampleCompany &company) {
    if (company.hiddenEmails.isEmpty()) {
        return {};
    }
    const QString &first = company.hiddenEmails.at(0);
    if (company.socialLinks.isEmpty()) {
        // "(at)" and "(dot)": the address only a reader of such spellings finds.
        QString spelled = first;
        spelled.replace(u'@', u" (at) "_s).replace(u'.', u" (dot) "_s);
        return u"<p>Write to the founder at "_s + spelled + u".</p>\n<p>We are at home on the web.</p>\n"_s;
    }
    const QString handle = Handle(company);
    return u"<p>Office: <a href=\"/cdn-cgi/l/email-protection#"_s + CloudflareEncoded(first, 0x5a) +
           u"\"><span class=\"__cf_email__\" data-cfemail=\""_s + CloudflareEncoded(first, 0x21) +
           u"\">[email&#160;protected]</span></a></p>\n<p>Follow us: "_s +
           Link(u"https://www.linkedin.com/company/"_s + company.slug + u"/?trk=site"_s, u"LinkedIn"_s) + u' ' +
           Link(u"https://twitter.com/intent/tweet?text=Hello"_s, u"Tweet this"_s) + u' ' +
           Link(u"https://x.com/"_s + handle, u"X"_s) + u' ' +
           Link(u"https://www.facebook.com/sharer/sharer.php?u=https%3A%2F%2Fexample.com"_s, u"Share"_s) + u' ' +
           Link(u"https://www.instagram.com/"_s + handle + u'/', u"Instagram"_s) + u' ' +
           Link(u"https://www.youtube.com/watch?v=dQw4w9WgXcQ"_s, u"Our film"_s) + u' ' +
           Link(u"https://www.youtube.com/@"_s + handle, u"YouTube"_s) + u"</p>\n"_s;
}

QString ContactPageExtras(const SampleCompany &company) {
    if (company.hiddenEmails.size() < 2) {
        return {};
    }
    const QString &second = company.hiddenEmails.at(1);
    if (company.socialLinks.isEmpty()) {
        QString spelled = second;
        spelled.replace(u'@', u"{at}"_s);
        QString orders = company.hiddenEmails.value(2);
        orders.replace(u'@', u" [at] "_s).replace(u'.', u" [dot] "_s);
        return u"<p>Say hello: "_s + spelled + u"</p>\n<p>Orders: "_s + orders + u"</p>\n"_s;
    }
    QString encoded = second;
    encoded.replace(u'@', u"%40"_s);
    return u"<p>Press: "_s +
           Link(u"mailto:"_s + encoded + u"?subject=Press%20enquiry"_s, u"write to our press office"_s) +
           u"</p>\n<p>Code: "_s + Link(u"https://github.com/"_s + Handle(company), u"GitHub"_s) + u"</p>\n"_s;
}

std::span<const MailZone> MailZones() {
    static constexpr MailZone zones[] = {
        {u"*.example", MailServerStatus::HasMx},
        {u"*.example.com", MailServerStatus::HasMx},
        {u"gmail.com", MailServerStatus::HasMx},
        {u"*.example.org", MailServerStatus::NoMxAFallback},
    };
    return zones;
}

QString MailServerOf(const QString &domain) {
    const QString name = domain.toLower();
    for (const MailZone &zone : MailZones()) {
        const bool wildcard = zone.name.startsWith(u"*.");
        if (wildcard ? name.endsWith(zone.name.mid(1)) : name == zone.name) {
            return MailServerStatusText(zone.status);
        }
    }
    return MailServerStatusText(MailServerStatus::NoMailServer);
}

} // namespace SampleContacts
