#include "core/enrichment/publiccompanypage.h"

#include "core/enrichment/companyabout.h"
#include "core/enrichment/markuptext.h"
#include "core/model/leadrow.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {

constexpr QStringView entryPrefix = u"about-us__";
constexpr QStringView testIdAttribute = u"data-test-id=";

constexpr int noColumn = -1;

struct AboutEntry {
    QStringView name; // behind the prefix
    int column;       // noColumn: read for the headquarters line only
};

constexpr std::array<AboutEntry, 7> aboutEntries{{
    {u"website", LeadRow::Website},
    {u"industry", LeadRow::Industry},
    {u"size", LeadRow::CompanySize},
    {u"headquarters", noColumn},
    {u"organizationType", LeadRow::Type},
    {u"foundedOn", LeadRow::Founded},
    {u"specialties", LeadRow::Specialties},
}};

struct AddressPart {
    QStringView member;
    LeadRow::Column column;
    QStringView separator; // in front of the part in the full address
};

// In the order and with the separators of the older pages' headquarters.
constexpr std::array<AddressPart, 5> addressParts{{
    {u"streetAddress", LeadRow::Address, u", "},
    {u"addressLocality", LeadRow::City, u", "},
    {u"addressRegion", LeadRow::State, u", "},
    {u"postalCode", LeadRow::PostalCode, u" "},
    {u"addressCountry", LeadRow::Country, u", "},
}};

// A marked entry: where its marker stands and which entry it names.
struct EntryMark {
    qsizetype at;
    std::size_t entry;
};

// Every occurrence of data-test-id="about-us__<name>" with a known name, in page order.
QList<EntryMark> FindEntryMarks(QStringView page) {
    QList<EntryMark> marks;
    for (qsizetype at = page.indexOf(testIdAttribute); at >= 0; at = page.indexOf(testIdAttribute, at + 1)) {
        const qsizetype valueAt = at + testIdAttribute.size();
        if (valueAt >= page.size() || (page.at(valueAt) != u'"' && page.at(valueAt) != u'\'')) {
            continue;
        }
        const QStringView rest = page.sliced(valueAt + 1);
        if (!rest.startsWith(entryPrefix)) {
            continue;
        }
        const QStringView afterPrefix = rest.sliced(entryPrefix.size());
        for (std::size_t entry = 0; entry < aboutEntries.size(); ++entry) {
            const QStringView name = aboutEntries[entry].name;
            if (afterPrefix.startsWith(name) && afterPrefix.size() > name.size() &&
                afterPrefix.at(name.size()) == page.at(valueAt)) {
                marks.append({at, entry});
                break;
            }
        }
    }
    return marks;
}

// The first "<tag" in text followed by white space, ">" or "/"; -1 when there is none.
qsizetype FindStartTag(QStringView text, QStringView tag) {
    for (qsizetype at = text.indexOf(tag, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(tag, at + 1, Qt::CaseInsensitive)) {
        const qsizetype behind = at + tag.size();
        if (behind < text.size() && (text.at(behind).isSpace() || text.at(behind) == u'>' || text.at(behind) == u'/')) {
            return at;
        }
    }
    return -1;
}

// The inner markup of the first dd of an entry's markup; nothing when there is no dd.
std::optional<QStringView> DetailMarkup(QStringView entry) {
    const qsizetype open = FindStartTag(entry, u"<dd");
    if (open < 0) {
        return std::nullopt;
    }
    const qsizetype inner = StartTagEnd(entry, open + 1);
    const qsizetype close = entry.indexOf(u"</dd", inner, Qt::CaseInsensitive);
    return entry.sliced(inner, (close < 0 ? entry.size() : close) - inner);
}

// The detail's first link, unwrapped; else its text.
QString WebsiteOf(QStringView detail) {
    const qsizetype link = FindStartTag(detail, u"<a");
    if (link >= 0) {
        const QString href =
            AttributeValue(detail.sliced(link, StartTagEnd(detail, link + 1) - link), u"href").trimmed();
        if (!href.isEmpty()) {
            return UnwrapRedirect(href);
        }
    }
    return MarkupToPlainText(detail);
}

bool SetCell(LeadRow &row, int column, const QString &value) {
    if (value.isEmpty()) {
        return false;
    }
    row[column] = value;
    return true;
}

// Fills the cells of the about-us entries (the first of each name counts); gives the
// headquarters line. Each entry's markup ends where the next marker stands, so the scans
// share out the page between them.
QString ReadAboutEntries(QStringView page, LeadRow &row, bool &filled) {
    const QList<EntryMark> marks = FindEntryMarks(page);
    std::array<bool, aboutEntries.size()> seen{};
    QString headquarters;
    for (qsizetype i = 0; i < marks.size(); ++i) {
        const EntryMark &mark = marks.at(i);
        if (std::exchange(seen[mark.entry], true)) {
            continue;
        }
        const qsizetype end = i + 1 < marks.size() ? marks.at(i + 1).at : page.size();
        const std::optional<QStringView> detail = DetailMarkup(page.sliced(mark.at, end - mark.at));
        if (!detail) {
            continue;
        }
        const AboutEntry &entry = aboutEntries[mark.entry];
        if (entry.column == noColumn) {
            headquarters = MarkupToPlainText(*detail);
        } else {
            const QString value = entry.column == LeadRow::Website ? WebsiteOf(*detail) : MarkupToPlainText(*detail);
            filled = SetCell(row, entry.column, value) || filled;
        }
    }
    return headquarters;
}

bool IsOrganization(const QJsonObject &object) {
    const QJsonValue type = object.value(QLatin1String("@type"));
    if (type.isArray()) {
        return type.toArray().contains(QJsonValue(QLatin1String("Organization")));
    }
    return type.toString() == QLatin1String("Organization");
}

// The Organization object of a block: the block itself, an item of a top-level array, or an
// item of a "@graph" array on either level.
std::optional<QJsonObject> FindOrganization(const QJsonValue &value, int depth = 0) {
    constexpr int deepest = 2;
    if (value.isArray() && depth < deepest) {
        for (const QJsonValue &item : value.toArray()) {
            if (std::optional<QJsonObject> found = FindOrganization(item, depth + 1)) {
                return found;
            }
        }
        return std::nullopt;
    }
    if (!value.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    if (IsOrganization(object)) {
        return object;
    }
    const QJsonValue graph = object.value(QLatin1String("@graph"));
    return graph.isArray() && depth < deepest ? FindOrganization(graph, deepest - 1) : std::nullopt;
}

// The first Organization of the page's application/ld+json blocks. Only the blocks are looked
// for (by their type, as pages write it, in lower case): the page's other scripts are not read.
std::optional<QJsonObject> FindOrganizationBlock(QStringView page) {
    constexpr QStringView blockType = u"application/ld+json";
    for (qsizetype from = 0;;) {
        const qsizetype found = page.indexOf(blockType, from);
        if (found < 0) {
            return std::nullopt;
        }
        const qsizetype open = page.sliced(from, found - from).lastIndexOf(u'<');
        if (open < 0) {
            from = found + blockType.size();
            continue;
        }
        const qsizetype tagAt = from + open;
        const qsizetype body = StartTagEnd(page, tagAt + 1);
        const QStringView tag = page.sliced(tagAt, body - tagAt);
        // A tag's attributes hold no other tag, so the search goes on behind it.
        from = std::max(found + blockType.size(), body);
        if (body <= found || FindStartTag(tag, u"<script") != 0 ||
            AttributeValue(tag, u"type").trimmed().compare(blockType, Qt::CaseInsensitive) != 0) {
            continue;
        }
        const qsizetype close = page.indexOf(u"</script", body, Qt::CaseInsensitive);
        const qsizetype end = close < 0 ? page.size() : close;
        const QJsonDocument block = QJsonDocument::fromJson(page.sliced(body, end - body).toUtf8());
        const QJsonValue top = block.isArray() ? QJsonValue(block.array()) : QJsonValue(block.object());
        if (std::optional<QJsonObject> organization = FindOrganization(top)) {
            return organization;
        }
        from = end;
    }
}

QString TextOf(const QJsonValue &value) {
    if (value.isDouble()) {
        return QString::number(value.toDouble(), 'g', 15);
    }
    return value.toString().trimmed();
}

QString AddressPartText(const QJsonObject &address, QStringView member) {
    const QJsonValue value = address.value(member);
    // A country may be a Country object.
    return value.isObject() ? TextOf(value.toObject().value(QLatin1String("name"))) : TextOf(value);
}

bool ReadPostalAddress(const QJsonObject &organization, LeadRow &row) {
    QJsonValue address = organization.value(QLatin1String("address"));
    if (address.isArray()) {
        const QJsonArray addresses = address.toArray();
        address = addresses.isEmpty() ? QJsonValue() : addresses.at(0);
    }
    if (!address.isObject()) {
        return false;
    }
    const QJsonObject postal = address.toObject();
    QString fullAddress;
    for (const AddressPart &part : addressParts) {
        const QString text = AddressPartText(postal, part.member);
        if (SetCell(row, part.column, text)) {
            fullAddress = fullAddress.isEmpty() ? text : fullAddress + part.separator + text;
        }
    }
    return SetCell(row, LeadRow::FullAddress, fullAddress);
}

} // namespace

bool ReadPublicCompanyPage(const QString &page, LeadRow &row) {
    bool filled = false;
    const QString headquarters = ReadAboutEntries(page, row, filled);
    const std::optional<QJsonObject> organization = FindOrganizationBlock(page);
    if (organization && ReadPostalAddress(*organization, row)) {
        return true;
    }
    return ReadHeadquartersLine(headquarters, row) || filled;
}
