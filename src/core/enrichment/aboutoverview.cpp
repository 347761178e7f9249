#include "core/enrichment/aboutoverview.h"

#include "core/enrichment/companyabout.h"
#include "core/model/leadrow.h"

#include <QUrl>

#include <array>
#include <optional>

namespace {

enum class Field { Website, Industry, CompanySize, Headquarters, Type, Founded, Specialties, Count };

constexpr std::size_t fieldCount = static_cast<std::size_t>(Field::Count);

// The overview's labels, one row per language, columns in the order of Field.
using LabelRow = std::array<QStringView, fieldCount>;
constexpr std::array<LabelRow, 1> overviewLabels{{
    {u"Website", u"Industry", u"Company size", u"Headquarters", u"Type", u"Founded", u"Specialties"},
}};

// The cell of each field; the headquarters fills several.
constexpr std::array<int, fieldCount> fieldColumns{
    LeadRow::Website, LeadRow::Industry, LeadRow::CompanySize, -1,
    LeadRow::Type,    LeadRow::Founded,  LeadRow::Specialties,
};

std::optional<std::size_t> FieldOf(const QString &label) {
    const QString trimmed = label.trimmed();
    for (const LabelRow &language : overviewLabels) {
        for (std::size_t field = 0; field < fieldCount; ++field) {
            if (trimmed.compare(language[field], Qt::CaseInsensitive) == 0) {
                return field;
            }
        }
    }
    return std::nullopt;
}

QString WebsiteOf(const OverviewEntry &entry) {
    const QUrl link(entry.href.trimmed());
    const bool web = link.isValid() && !link.host().isEmpty() &&
                     (link.scheme() == QLatin1String("http") || link.scheme() == QLatin1String("https"));
    return web ? UnwrapRedirect(entry.href.trimmed()) : entry.text.trimmed();
}

} // namespace

bool IsOverviewLabel(const QString &label) {
    return FieldOf(label).has_value();
}

bool ReadAboutOverview(const QList<OverviewEntry> &entries, LeadRow &row) {
    std::array<bool, fieldCount> seen{};
    bool filled = false;
    for (const OverviewEntry &entry : entries) {
        const std::optional<std::size_t> field = FieldOf(entry.label);
        if (!field || std::exchange(seen[*field], true)) {
            continue;
        }
        if (static_cast<Field>(*field) == Field::Headquarters) {
            filled = ReadHeadquartersLine(entry.text, row) || filled;
            continue;
        }
        const QString value = static_cast<Field>(*field) == Field::Website ? WebsiteOf(entry) : entry.text.simplified();
        if (!value.isEmpty()) {
            row[fieldColumns[*field]] = value;
            filled = true;
        }
    }
    return filled;
}
