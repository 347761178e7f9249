#include "samplesite/samplecatalog.h"

#include "samplesite/catalogwords.h"
#include "samplesite/markuptext.h"
#include "samplesite/samplecontacts.h"

#include <QLocale>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Bounds that keep a mistyped option from asking for millions of pages.
constexpr int maxPages = 200;
constexpr int maxEntries = 100;
// Today's search shows at most this many pages.
constexpr int maxTodayPages = 100;
constexpr int layoutCount = 3;

constexpr int noCountryEntry = 3;
constexpr int noWebsiteEntry = 6;
constexpr int unknownToPlacesEntry = 8;
constexpr int signInWallEntry = 4;
constexpr int industryOnlyInSearchEntry = 9;

// A well-mixed number from the seed, the company's serial number and a field's salt, so each
// field is drawn independently of the others.
quint64 Mixed(quint32 seed, int serial, quint32 salt) {
    quint64 x = (quint64(seed) << 32) ^ (quint64(quint32(serial)) * 0x9E3779B97F4A7C15ull) ^ (quint64(salt) << 16);
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

template<typename List>
const auto &PickFrom(const List &list, quint64 draw) {
    return list.at(static_cast<qsizetype>(draw % quint64(list.size())));
}

QString FilledPattern(const QString &pattern, quint64 draw) {
    QString text = pattern;
    for (QChar &c : text) {
        if (c == u'#') {
            c = QChar(u'0' + int(draw % 10));
            draw /= 10;
        }
    }
    return text;
}

} // namespace

SampleCatalog::SampleCatalog(const SampleSiteOptions &options)
    : m_seed(options.seed), m_entriesPerPage(std::clamp(options.entriesPerPage, 1, maxEntries)),
      m_sharedEntries(std::clamp(options.sharedEntries, 0, m_entriesPerPage)),
      m_layoutPages{std::clamp(options.layout1Pages, 0, maxPages), std::clamp(options.layout2Pages, 0, maxPages),
                    std::clamp(options.layout3Pages, 0, maxTodayPages)} {
    QSet<QString> names;
    int serial = 0;
    for (int layout = 1; layout <= layoutCount; ++layout) {
        for (int page = 1; page <= pageCount(layout); ++page) {
            for (int entry = 0; entry < m_entriesPerPage; ++entry, ++serial) {
                SampleCompany company = Draw(layout, page, entry, serial);
                // Past the number of word pairs, names would repeat; a number keeps them apart.
                const QString drawnName = company.name;
                for (int round = 2; names.contains(company.name); ++round) {
                    company.name = drawnName + u" #" + QString::number(round);
                }
                names.insert(company.name);
                m_bySlug.insert(company.slug, m_companies.size());
                if (!company.phone.isEmpty()) {
                    m_byPlacesName.insert(company.name, m_companies.size());
                }
                m_companies.append(company);
            }
        }
    }
}

SampleCompany SampleCatalog::Draw(int layout, int page, int entry, int serial) const {
    using namespace CatalogWords;
    SampleCompany company;
    company.layout = layout;
    const qsizetype pairs = FirstWords().size() * SecondWords().size();
    const qsizetype pair = (serial + qsizetype(m_seed) * 7) % pairs;
    // A bijection of the pair number, so neighbours differ in both words and no two pairs repeat.
    const qsizetype firstIndex = pair % FirstWords().size();
    const qsizetype secondIndex = (pair / FirstWords().size() + 3 * firstIndex) % SecondWords().size();
    const QString &first = FirstWords().at(firstIndex);
    const QString &second = SecondWords().at(secondIndex);
    company.name = first + (entry % 3 == 1 ? QStringLiteral(" & ") : QStringLiteral(" ")) + second;
    company.slug = AsciiSlug(first + u' ' + second) + QStringLiteral("-l%1p%2e%3").arg(layout).arg(page).arg(entry);

    // Consecutive companies walk through every location, so each page shows all of them.
    const CatalogLocation &location = Locations().at((serial * 3 + qsizetype(m_seed)) % Locations().size());
    const QString number = QString::number(1 + Mixed(m_seed, serial, 1) % 180);
    company.street = location.numberFirst ? number + u' ' + location.street : location.street + u' ' + number;
    company.city = location.city;
    company.state = location.state;
    company.zip = location.zip;
    if (entry != noCountryEntry) {
        company.country = location.country;
    }
    if (entry != noWebsiteEntry) {
        company.website = u"/sites/" + company.slug + u'/';
        company.emails = {u"info@" + company.slug + u".example", u"sales@" + company.slug + u".example"};
        company.emailPages = {QString(), u"contact.html"_s};
        company.emailKinds = {u"role"_s, u"role"_s};
        SampleContacts::AddHiddenContacts(company, entry);
    }
    company.industry = PickFrom(Industries(), Mixed(m_seed, serial, 2));
    company.type = PickFrom(CompanyTypes(), Mixed(m_seed, serial, 3));
    company.size = PickFrom(Sizes(), Mixed(m_seed, serial, 4));
    company.founded = QString::number(1950 + Mixed(m_seed, serial, 5) % 70);
    const quint64 specialtyDraw = Mixed(m_seed, serial, 6);
    const qsizetype specialtyCount = 2 + qsizetype(specialtyDraw % 2);
    for (qsizetype i = 0; i < specialtyCount; ++i) {
        company.specialties.append(Specialties().at((qsizetype(specialtyDraw / 2 % quint64(Specialties().size())) + i) %
                                                    Specialties().size()));
    }
    if (entry != unknownToPlacesEntry) {
        company.phone = FilledPattern(location.phonePattern, Mixed(m_seed, serial, 7));
        company.region = location.region;
        company.placeTypes = PickFrom(PlaceTypeSets(), Mixed(m_seed, serial, 8));
    }
    if (layout == 3) {
        AddTodaysFields(company, entry, serial);
    }
    return company;
}

void SampleCatalog::AddTodaysFields(SampleCompany &company, int entry, int serial) const {
    company.companyPage = u"/company/" + company.slug + u'/';
    company.linkedInId = QString::number(2000000 + quint64(m_seed % 1000) * 10000 + quint64(serial));
    const QString place = company.country.isEmpty() ? company.city : company.city + u", " + company.country;
    company.subtitle = company.industry + u" \u2022 " + place;
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    company.followers = english.toString(qlonglong(40 + Mixed(m_seed, serial, 9) % 250000)) + u" followers";
    company.signInWall = entry == signInWallEntry;
    company.industryOnlyInSearch = entry == industryOnlyInSearchEntry;
}

int SampleCatalog::pageCount(int layout) const {
    return layout >= 1 && layout <= layoutCount ? m_layoutPages[layout - 1] : 0;
}

QList<SampleCompany> SampleCatalog::page(int layout, int page) const {
    if (page < 1 || page > pageCount(layout)) {
        return {};
    }
    qsizetype firstPage = page - 1;
    for (int before = 1; before < layout; ++before) {
        firstPage += pageCount(before);
    }
    QList<SampleCompany> companies = m_companies.mid(firstPage * m_entriesPerPage, m_entriesPerPage);
    if (layout == 2) {
        const QList<SampleCompany> first = this->page(1, page);
        std::copy_n(first.begin(), std::min<qsizetype>(m_sharedEntries, first.size()), companies.begin());
    }
    return companies;
}

const SampleCompany *SampleCatalog::bySlug(const QString &slug) const {
    const auto found = m_bySlug.constFind(slug);
    return found == m_bySlug.cend() ? nullptr : &m_companies.at(*found);
}

const SampleCompany *SampleCatalog::byPlacesName(const QString &name) const {
    const auto found = m_byPlacesName.constFind(name);
    return found == m_byPlacesName.cend() ? nullptr : &m_companies.at(*found);
}
