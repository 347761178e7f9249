#include "core/enrichment/companydetails.h"
#include "core/enrichment/emailharvester.h"
#include "core/enrichment/placeslookup.h"
#include "core/model/leadrow.h"
#include "sitefixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <algorithm>

namespace {

// What the program's company page reader must find for each field of a company.
struct CompanyCell {
    LeadRow::Column column;
    QString (*expected)(const SampleCompany &company);
};

QString FullAddress(const SampleCompany &company) {
    QString address;
    for (const auto &[part, separator] :
         {std::pair{company.street, u", "}, std::pair{company.city, u", "}, std::pair{company.state, u", "},
          std::pair{company.zip, u" "}, std::pair{company.country, u", "}}) {
        if (!part.isEmpty()) {
            address += address.isEmpty() ? part : separator + part;
        }
    }
    return address;
}

const CompanyCell companyCells[] = {
    {LeadRow::FullAddress, &FullAddress},
    {LeadRow::Address,
     [](const SampleCompany &c) {
         return c.street;
     }},
    {LeadRow::City,
     [](const SampleCompany &c) {
         return c.city;
     }},
    {LeadRow::State,
     [](const SampleCompany &c) {
         return c.state;
     }},
    {LeadRow::PostalCode,
     [](const SampleCompany &c) {
         return c.zip;
     }},
    {LeadRow::Country,
     [](const SampleCompany &c) {
         return c.country;
     }},
    {LeadRow::Website,
     [](const SampleCompany &c) {
         return c.website;
     }},
    {LeadRow::Industry,
     [](const SampleCompany &c) {
         return c.industry;
     }},
    {LeadRow::Type,
     [](const SampleCompany &c) {
         return c.type;
     }},
    {LeadRow::CompanySize,
     [](const SampleCompany &c) {
         return c.size;
     }},
    {LeadRow::Founded,
     [](const SampleCompany &c) {
         return c.founded;
     }},
    {LeadRow::Specialties,
     [](const SampleCompany &c) {
         return c.specialties.join(u',');
     }},
};

class CompanyPageTest : public SampleSiteTest {};

TEST_F(CompanyPageTest, TheProgramReadsEveryFieldOfEveryCompanyOnAPage) {
    for (const int layout : {1, 2}) {
        for (const SampleCompany &company : site.companies(layout, 1)) {
            // Both link forms of the two layouts name the same page.
            const QString link =
                site.base() + u"/company/" + company.slug +
                (layout == 1 ? QStringLiteral("?trk=vsrp_companies_res_name") : QStringLiteral("/?trk=srp"));
            LeadRow row;
            QCoro::waitFor(ExtractCompanyDetails(downloader, link, row, {}));
            for (const CompanyCell &cell : companyCells) {
                EXPECT_EQ(row[cell.column], cell.expected(company))
                    << company.slug.toStdString() << ", column " << cell.column;
            }
        }
    }
}

TEST_F(CompanyPageTest, AnUnknownCompanyIsNotFound) {
    const httplib::Result result = Get(QStringLiteral("/company/no-such-company"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 404);
}

class PlacesServiceTest : public SampleSiteTest {
protected:
    // A company whose name has both "&" and an accent and that Places knows.
    SampleCompany AccentedCompanyWithAmpersand() const {
        for (int page = 1; page <= 3; ++page) {
            for (const SampleCompany &company : site.companies(1, page)) {
                const bool accented =
                    std::any_of(company.name.cbegin(), company.name.cend(), [](QChar c) { return c.unicode() > 127; });
                if (company.name.contains(u'&') && accented && !company.phone.isEmpty() && !company.country.isEmpty()) {
                    return company;
                }
            }
        }
        ADD_FAILURE() << "no company with an accent and \"&\" in its name";
        return {};
    }

    QString Status(const QString &target) const {
        const httplib::Result result = Get(target);
        if (!result) {
            return QStringLiteral("no answer");
        }
        return QJsonDocument::fromJson(QByteArray::fromStdString(result->body)).object().value(u"status").toString();
    }

    PlacesLookup lookup{test.context.endpoints, downloader};
};

TEST_F(PlacesServiceTest, GeocodeNearbySearchAndDetailsCompleteARow) {
    const SampleCompany company = AccentedCompanyWithAmpersand();
    for (const int draw : {0, 9}) { // key A, then key B
        lookup.setKeyDraw([draw] { return draw; });
        QString phone, details, state, category;

        QCoro::waitFor(lookup.ParsePair(company.name, company.city + u',' + company.zip + u", " + company.country,
                                        company.country, phone, details, state, category, {}));

        EXPECT_EQ(phone, company.phone);
        EXPECT_EQ(state, company.region);
        EXPECT_EQ(category, company.placeTypes.join(u", "));
        EXPECT_EQ(details, site.base() + u"/maps/api/place/details/json?placeid=place-" + company.slug + u"&key=" +
                               (draw > 5 ? u"sample-key-b" : u"sample-key-a"));
    }
}

TEST_F(PlacesServiceTest, RepliesCarryTheStatusOfEachFailure) {
    const SampleCompany unknownToPlaces = site.companies(1, 1).at(8);
    const struct {
        QString target;
        QString status;
    } cases[] = {
        {QStringLiteral("/maps/api/geocode/json?sensor=false&address=Paris%2C75001%2C%20France"), QStringLiteral("OK")},
        {QStringLiteral("/maps/api/geocode/json?sensor=false&address="), QStringLiteral("ZERO_RESULTS")},
        {u"/maps/api/place/nearbysearch/json?location=1,2&keyword=" +
             QString::fromLatin1(QUrl::toPercentEncoding(unknownToPlaces.name)) + u"&rankby=distance&key=sample-key-a",
         QStringLiteral("ZERO_RESULTS")},
        {QStringLiteral("/maps/api/place/nearbysearch/json?location=1,2&keyword=Acme&rankby=distance&key=wrong"),
         QStringLiteral("REQUEST_DENIED")},
        {QStringLiteral("/maps/api/place/details/json?placeid=place-nowhere&key=sample-key-b"),
         QStringLiteral("NOT_FOUND")},
        {u"/maps/api/place/details/json?placeid=place-" + unknownToPlaces.slug + u"&key=sample-key-a",
         QStringLiteral("NOT_FOUND")},
        {QStringLiteral("/maps/api/place/details/json?placeid=place-x&key="), QStringLiteral("REQUEST_DENIED")},
    };
    for (const auto &[target, status] : cases) {
        EXPECT_EQ(Status(target), status) << target.toStdString();
    }
}

class CompanyWebsiteTest : public SampleSiteTest {};

TEST_F(CompanyWebsiteTest, TheHarvestFindsTheAddressesOfHomeAndContactPage) {
    EmailHarvester harvester(test.context.settings, downloader);
    for (const SampleCompany &company : site.companies(2, 2)) {
        if (company.website.isEmpty()) {
            EXPECT_TRUE(company.emails.isEmpty());
            continue;
        }
        EXPECT_EQ(QCoro::waitFor(harvester.GetEmailsFromWebsite(company.website, {})),
                  (company.emails + company.hiddenEmails).join(u';'))
            << company.website.toStdString();
        EXPECT_EQ(company.emails.size(), 2);
    }
}

TEST_F(CompanyWebsiteTest, ACompanyWithoutWebsiteHasNoSite) {
    const SampleCompany company = site.companies(1, 1).at(6);
    const httplib::Result result = Get(u"/sites/" + company.slug + u'/');
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 404);
}

} // namespace
