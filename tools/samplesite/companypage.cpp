#include "samplesite/companypage.h"

#include "samplesite/markuptext.h"
#include "samplesite/samplecompany.h"

#include <QStringList>

#include <utility>

namespace {

// Text inside the <code> element: LinkedIn writes "&" as "&amp;".
QString CodeEscaped(QString text) {
    return text.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
}

QString JsonEscaped(QString text) {
    return text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
}

// A JSON string as LinkedIn writes it, "/" as "\/".
QString Quoted(const QString &value) {
    return u'"' + CodeEscaped(JsonEscaped(value).replace(u'/', QStringLiteral("\\/"))) + u'"';
}

// The web site, which the program copies raw: no "\/", or its cell would hold backslashes.
QString RawQuoted(const QString &value) {
    return u'"' + CodeEscaped(JsonEscaped(value)) + u'"';
}

// Members with an empty value are left out, as LinkedIn leaves out what a company never filled in.
void AddMember(QStringList &members, const QString &name, const QString &quotedValue, bool present = true) {
    if (present) {
        members.append(u'"' + name + u"\":" + quotedValue);
    }
}

QString Headquarters(const SampleCompany &company) {
    QStringList members;
    const std::pair<const char *, const QString *> parts[] = {
        {"street1", &company.street}, {"city", &company.city},       {"state", &company.state},
        {"zip", &company.zip},        {"country", &company.country},
    };
    for (const auto &[name, value] : parts) {
        AddMember(members, QLatin1String(name), Quoted(*value), !value->isEmpty());
    }
    // Read by nothing; it closes the object the way LinkedIn's does.
    members.append(QStringLiteral("\"description\":\"Headquarters\""));
    return u'{' + members.join(u',') + u'}';
}

} // namespace

QString CompanyPage(const SampleCompany &company, const QString &siteBase) {
    const QString website = company.website.isEmpty() ? QString() : siteBase + company.website;
    QStringList specialties;
    for (const QString &specialty : company.specialties) {
        specialties.append(Quoted(specialty));
    }
    QStringList members;
    AddMember(members, QStringLiteral("name"), Quoted(company.name));
    AddMember(members, QStringLiteral("website"), RawQuoted(website), !website.isEmpty());
    AddMember(members, QStringLiteral("industry"), Quoted(company.industry), !company.industry.isEmpty());
    AddMember(members, QStringLiteral("specialties"), u"[\n" + specialties.join(u',') + u']', !specialties.isEmpty());
    AddMember(members, QStringLiteral("type"), Quoted(company.type), !company.type.isEmpty());
    AddMember(members, QStringLiteral("headquarters"), Headquarters(company));
    AddMember(members, QStringLiteral("size"), Quoted(company.size), !company.size.isEmpty());
    // The program reads the year up to the next ",", so a member always follows it.
    AddMember(members, QStringLiteral("yearFounded"), company.founded, !company.founded.isEmpty());
    AddMember(members, QStringLiteral("followers"), QStringLiteral("1200"));

    const QString json = u"{\"data\":{\"entityUrn\":\"urn:li:fs_normalized_company:" + company.slug +
                         u"\"},\"included\":[{" + members.join(u',') + u"}]}";
    return u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           HtmlEscaped(company.name) + u" | LinkedIn (sample)</title>\n</head>\n<body>\n<h1>" +
           HtmlEscaped(company.name) + u"</h1>\n<code style=\"display: none\" id=\"bpr-guid-1\">\n" + json +
           u"\n</code>\n</body>\n</html>\n";
}
