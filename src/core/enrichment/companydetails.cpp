#include "core/enrichment/companydetails.h"

#include "core/enrichment/markerscan.h"
#include "core/model/leadrow.h"
#include "core/net/fetcher.h"
#include "core/util/textcursor.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

// The members read from the whole page. Each contains the anchor, so one scan finds them all.
enum PageMarker {
    SpecialtiesMarker,
    WebsiteMarker,
    IndustryMarker,
    TypeMarker,
    HeadquartersMarker,
    SizeMarker,
    FoundedMarker,
    PageMarkerCount
};

constexpr std::array<QStringView, PageMarkerCount> pageMarkers{
    u"specialties\":",     u"\"website\":\"", u"\"industry\":\"",  u"\"type\":\"",
    u"\"headquarters\":{", u"\"size\":\"",    u"\"yearFounded\":",
};
constexpr QStringView markerAnchor = u"\":";

struct RawMember {
    PageMarker marker;
    QStringView end;
    LeadRow::Column column;
};

// Members whose value is copied exactly as the page writes it.
constexpr std::array<RawMember, 3> leadingMembers{{
    {WebsiteMarker, u"\"", LeadRow::Website},
    {IndustryMarker, u"\"", LeadRow::Industry},
    {TypeMarker, u"\"", LeadRow::Type},
}};

constexpr std::array<RawMember, 2> trailingMembers{{
    {SizeMarker, u"\"", LeadRow::CompanySize},
    {FoundedMarker, u",", LeadRow::Founded},
}};

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

// A member is read only when its marker occurs with exactly this letter case; the cut then
// takes the first occurrence in any case, as a search from the start of the page would. Cuts
// only move forward, so the cursor holds the page from the earliest member that is read.
class CompanyPage {
public:
    explicit CompanyPage(const QString &page) : m_scan(page, pageMarkers, markerAnchor) {
        m_start = page.size();
        for (int marker = 0; marker < PageMarkerCount; ++marker) {
            if (m_scan.FirstExact(marker) >= 0) {
                m_start = std::min(m_start, m_scan.FirstFolded(marker));
            }
        }
        m_tail = TextCursor(page.mid(m_start));
    }

    // A cursor on the page from the marker's first occurrence, or nothing when it is absent.
    std::optional<TextCursor> At(PageMarker marker) const {
        if (m_scan.FirstExact(marker) < 0) {
            return std::nullopt;
        }
        TextCursor buffer = m_tail;
        buffer.advance(m_scan.FirstFolded(marker) - m_start);
        return buffer;
    }

private:
    MarkerScan m_scan;
    qsizetype m_start = 0;
    TextCursor m_tail;
};

void CutRawMember(const CompanyPage &page, const RawMember &member, LeadRow &row) {
    if (std::optional<TextCursor> buffer = page.At(member.marker)) {
        row[member.column] = CutBetween(pageMarkers[member.marker], member.end, 0, *buffer);
    }
}

void CutSpecialties(const CompanyPage &page, LeadRow &row) {
    std::optional<TextCursor> buffer = page.At(SpecialtiesMarker);
    if (!buffer) {
        return;
    }
    CutBetween(pageMarkers[SpecialtiesMarker], u"[", 0, *buffer); // moves onto the first "[" behind
    row[LeadRow::Specialties] = HtmlToText(CutBetween(u"[", u"]", 0, *buffer)).remove(u'"');
}

void CutHeadquarters(const CompanyPage &page, LeadRow &row) {
    std::optional<TextCursor> buffer = page.At(HeadquartersMarker);
    if (!buffer) {
        return;
    }
    const QString headquarters = CutBetween(pageMarkers[HeadquartersMarker], u"}", 0, *buffer);
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

QCoro::Task<bool> ExtractCompanyDetails(Fetcher &fetcher, QString BDetails, LeadRow &row, StopToken stop) {
    const FetchResult page = co_await fetcher.DownloadURL(BDetails, true, stop);
    if (!page.ok()) {
        co_return false;
    }
    ReadCompanyDetails(page.text, row);
    co_return true;
}

void ReadCompanyDetails(const QString &text, LeadRow &row) {
    const CompanyPage page(text);
    CutSpecialties(page, row);
    for (const RawMember &member : leadingMembers) {
        CutRawMember(page, member, row);
    }
    CutHeadquarters(page, row);
    for (const RawMember &member : trailingMembers) {
        CutRawMember(page, member, row);
    }
}
