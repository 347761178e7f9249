#pragma once

#include <QString>

#include <array>

// One company found by a run: text cells in a fixed column order. Cell 18, the LinkedIn link,
// is the row's identity. The first twenty columns are those every older file and setting
// knows; the contact columns after them were added later, so readers of older files take
// rows of LegacyColumnCount cells and leave the rest empty.
struct LeadRow {
    enum Column {
        Category = 0,
        BusinessName,
        FullAddress,
        Address,
        City,
        State,
        PostalCode,
        Country,
        Phone,
        Fax,
        Website,
        Email,
        Specialties,
        Industry,
        Type,
        Founded,
        CompanySize,
        MapLink,
        LinkedInLink,
        GoogleMapsDetails,
        EmailStatus,
        EmailSource,
        SocialLinks,
        ColumnCount
    };

    static constexpr int LegacyColumnCount = EmailStatus;

    std::array<QString, ColumnCount> cells;

    QString &operator[](int column) { return cells[static_cast<std::size_t>(column)]; }
    const QString &operator[](int column) const { return cells[static_cast<std::size_t>(column)]; }
};

// The captions the results list shows before a language file replaces them.
const std::array<QString, LeadRow::ColumnCount> &DefaultColumnCaptions();
