// The company-page reader on a fetched page: every cell holds what a search from the start of
// the page gives, member by member, as if the page were read without the one-pass scan. A member
// is read only when its marker occurs with exact case; the cut takes its first occurrence in any
// case.
#include "core/enrichment/companydetails.h"
#include "core/model/leadrow.h"
#include "core/util/textcursor.h"
#include "fuzzcheck.h"
#include "fuzztext.h"
#include "inputfetcher.h"

namespace {

struct Member {
    QStringView marker;
    QStringView end;
    LeadRow::Column column;
};

// The members cut as the page writes them.
constexpr Member rawMembers[] = {
    {u"\"website\":\"", u"\"", LeadRow::Website},  {u"\"industry\":\"", u"\"", LeadRow::Industry},
    {u"\"type\":\"", u"\"", LeadRow::Type},        {u"\"size\":\"", u"\"", LeadRow::CompanySize},
    {u"\"yearFounded\":", u",", LeadRow::Founded},
};

struct AddressPart {
    QStringView marker;
    LeadRow::Column column;
    QStringView separator;
};

constexpr AddressPart addressParts[] = {
    {u"\"street1\":\"", LeadRow::Address, u", "}, {u"\"city\":\"", LeadRow::City, u", "},
    {u"\"state\":\"", LeadRow::State, u", "},     {u"\"zip\":\"", LeadRow::PostalCode, u" "},
    {u"\"country\":\"", LeadRow::Country, u", "},
};

// Cuts from a fresh cursor on the whole text, only when marker occurs with exact case.
std::optional<TextCursor> FromStart(const QString &text, QStringView marker) {
    if (!text.contains(marker)) {
        return std::nullopt;
    }
    return TextCursor(text);
}

LeadRow ExpectedRow(const QString &page) {
    LeadRow row;
    if (std::optional<TextCursor> buffer = FromStart(page, u"specialties\":")) {
        CutBetween(u"specialties\":", u"[", 0, *buffer);
        row[LeadRow::Specialties] = HtmlToText(CutBetween(u"[", u"]", 0, *buffer)).remove(u'"');
    }
    for (const Member &member : rawMembers) {
        if (std::optional<TextCursor> buffer = FromStart(page, member.marker)) {
            row[member.column] = CutBetween(member.marker, member.end, 0, *buffer);
        }
    }
    if (std::optional<TextCursor> buffer = FromStart(page, u"\"headquarters\":{")) {
        const QString headquarters = CutBetween(u"\"headquarters\":{", u"}", 0, *buffer);
        for (const AddressPart &part : addressParts) {
            if (std::optional<TextCursor> partBuffer = FromStart(headquarters, part.marker)) {
                row[part.column] = HtmlToText(CutBetween(part.marker, u"\"", 0, *partBuffer));
            }
            const QString &cell = row[part.column];
            QString &full = row[LeadRow::FullAddress];
            if (!cell.isEmpty()) {
                full = full.isEmpty() ? cell : full + part.separator + cell;
            }
        }
    }
    return row;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString page = PageText(data, size);
    InputFetcher fetcher(page);
    LeadRow row;
    QCoro::waitFor(ExtractCompanyDetails(fetcher, QStringLiteral("https://www.linkedin.com/company/acme"), row, {}));
    FuzzCheck(fetcher.requests() == 1, "the company page is fetched once");
    const LeadRow expected = ExpectedRow(page);
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        FuzzCheck(row[column] == expected[column], "each member holds what a search from the start of the page gives",
                  [&]() -> QString {
                      return QStringLiteral("column %1: %2, from the start %3")
                          .arg(column)
                          .arg(Shown(row[column]), Shown(expected[column]));
                  });
    }
    return 0;
}
