#include "gui/extraction/runfixture.h"

#include "samplesite/samplecontacts.h"

using namespace Qt::StringLiterals;

QString FullAddress(const SampleCompany &company) {
    const std::pair<const QString *, QStringView> parts[] = {{&company.street, u", "},
                                                             {&company.city, u", "},
                                                             {&company.state, u", "},
                                                             {&company.zip, u" "},
                                                             {&company.country, u", "}};
    QString full;
    for (const auto &[part, separator] : parts) {
        if (!part->isEmpty()) {
            full = full.isEmpty() ? *part : full + separator + *part;
        }
    }
    return full;
}

LeadRow ExpectedRow(const SampleSite &site, const SampleCompany &company, int layout, const QString &keyword) {
    LeadRow row;
    const bool places = !company.country.isEmpty() && !company.phone.isEmpty();
    row[LeadRow::Category] = places ? company.placeTypes.join(u", ") : keyword;
    row[LeadRow::BusinessName] = company.name;
    row[LeadRow::FullAddress] = FullAddress(company);
    row[LeadRow::Address] = company.street;
    row[LeadRow::City] = company.city;
    row[LeadRow::State] = places ? company.region : company.state;
    row[LeadRow::PostalCode] = company.zip;
    row[LeadRow::Country] = company.country;
    row[LeadRow::Phone] = places ? company.phone : QString();
    row[LeadRow::Website] = company.website;
    const QStringList addresses = company.emails + company.hiddenEmails;
    row[LeadRow::Email] = addresses.join(u';');
    QStringList grades;
    QStringList sources;
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        const QString &kinds = company.emailKinds.at(i);
        const QString server = SampleContacts::MailServerOf(addresses.at(i).section(u'@', -1));
        grades.append(kinds.isEmpty() ? server : kinds + u", "_s + server);
        sources.append(company.website + company.emailPages.at(i));
    }
    row[LeadRow::EmailStatus] = grades.join(u';');
    row[LeadRow::EmailSource] = sources.join(u';');
    row[LeadRow::SocialLinks] = company.socialLinks.join(u';');
    row[LeadRow::Specialties] = company.specialties.join(u',');
    row[LeadRow::Industry] = company.industry;
    row[LeadRow::Type] = company.type;
    row[LeadRow::Founded] = company.founded;
    row[LeadRow::CompanySize] = company.size;
    if (!row[LeadRow::FullAddress].isEmpty()) {
        row[LeadRow::MapLink] =
            site.base() + u"/maps?q=" + QString(row[LeadRow::FullAddress] + u',' + company.country).replace(u' ', u'+');
    }
    row[LeadRow::LinkedInLink] =
        site.base() + u"/company/" + company.slug + (layout == 1 ? u"?trk=vsrp_companies_res_name"_s : u"/?trk=srp"_s);
    return row;
}

// What a run makes of a company of today's search. A company behind the sign-in wall is read
// from the member's signed-in overview, which gives its headquarters as "City, State" only: no
// street, postal code or country, and so no Places lookup.
LeadRow ExpectedTodaysRow(const SampleSite &site, const SampleCompany &company, const QString &keyword) {
    LeadRow row = ExpectedRow(site, company, 3, keyword);
    row[LeadRow::LinkedInLink] = company.companyPage;
    row[LeadRow::Specialties] = company.specialties.join(u", ");
    if (company.signInWall) {
        row[LeadRow::FullAddress] = company.state.isEmpty() ? company.city : company.city + u", " + company.state;
        row[LeadRow::Address].clear();
        row[LeadRow::PostalCode].clear();
        row[LeadRow::Country].clear();
        row[LeadRow::State] = company.state;
        row[LeadRow::Phone].clear();
        row[LeadRow::Category] = keyword;
        row[LeadRow::MapLink] =
            site.base() + u"/maps?q=" + QString(row[LeadRow::FullAddress] + u',').replace(u' ', u'+');
    }
    return row;
}
