#include "core/enrichment/companydetails.h"

#include "core/extraction/leadrow.h"
#include "core/net/fetcher.h"
#include "core/util/textcursor.h"

#include <array>

namespace {

struct AddressPart {
    QStringView marker;
    LeadRow::Column column;
    QStringView separator;
};

// The street, city, state, postal code and country members of the headquarters object, in the
// order the full address joins them.
constexpr std::array<AddressPart, 5> addressParts{{
    {u"\"street1\":\"", LeadRow::Address, u", "},
    {u"\"city\":\"", LeadRow::City, u", "},
    {u"\"state\":\"", LeadRow::State, u", "},
    {u"\"zip\":\"", LeadRow::PostalCode, u" "},
    {u"\"country\":\"", LeadRow::Country, u", "},
}};

struct RawMember {
    QStringView marker;
    QStringView end;
    LeadRow::Column column;
};

// Members whose value is copied exactly as the page writes it.
constexpr std::array<RawMember, 3> leadingMembers{{
    {u"\"website\":\"", u"\"", LeadRow::Website},
    {u"\"industry\":\"", u"\"", LeadRow::Industry},
    {u"\"type\":\"", u"\"", LeadRow::Type},
}};

constexpr std::array<RawMember, 2> trailingMembers{{
    {u"\"size\":\"", u"\"", LeadRow::CompanySize},
    {u"\"yearFounded\":", u",", LeadRow::Founded},
}};

// Each member is searched from the start of the page, and only when its marker occurs there in
// exactly this letter case; the cut itself ignores case.
void CutRawMember(const QString &page, const TextCursor &whole, const RawMember &member, LeadRow &row) {
    if (!page.contains(member.marker)) {
        return;
    }
    TextCursor buffer = whole;
    row[member.column] = CutBetween(member.marker, member.end, 0, buffer);
}

void CutSpecialties(const QString &page, const TextCursor &whole, LeadRow &row) {
    constexpr QStringView marker = u"specialties\":";
    if (!page.contains(marker)) {
        return;
    }
    TextCursor buffer = whole;
    CutBetween(marker, u"[", 0, buffer); // moves onto the first "[" behind the marker
    row[LeadRow::Specialties] = HtmlToText(CutBetween(u"[", u"]", 0, buffer)).remove(u'"');
}

void CutHeadquarters(const QString &page, const TextCursor &whole, LeadRow &row) {
    constexpr QStringView marker = u"\"headquarters\":{";
    if (!page.contains(marker)) {
        return;
    }
    TextCursor buffer = whole;
    const QString headquarters = CutBetween(marker, u"}", 0, buffer);
    const TextCursor headquartersWhole(headquarters);
    QString &fullAddress = row[LeadRow::FullAddress];
    for (const AddressPart &part : addressParts) {
        QString &cell = row[part.column];
        if (headquarters.contains(part.marker)) {
            TextCursor partBuffer = headquartersWhole;
            cell = HtmlToText(CutBetween(part.marker, u"\"", 0, partBuffer));
        }
        if (!cell.isEmpty()) {
            fullAddress = fullAddress.isEmpty() ? cell : fullAddress + part.separator + cell;
        }
    }
}

} // namespace

void ExtractCompanyDetails(Fetcher &fetcher, const QString &BDetails, LeadRow &row) {
    QString page;
    if (!fetcher.DownloadURL(BDetails, page, true)) {
        return;
    }
    const TextCursor whole(page);
    CutSpecialties(page, whole, row);
    for (const RawMember &member : leadingMembers) {
        CutRawMember(page, whole, member, row);
    }
    CutHeadquarters(page, whole, row);
    for (const RawMember &member : trailingMembers) {
        CutRawMember(page, whole, member, row);
    }
}
