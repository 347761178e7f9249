#pragma once

#include <QString>

#include <array>

// One company found by a run: twenty text cells in a fixed column order. Cell 18, the
// LinkedIn link, is the row's identity.
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
        ColumnCount
    };

    std::array<QString, ColumnCount> cells;

    QString &operator[](int column) { return cells[static_cast<std::size_t>(column)]; }
    const QString &operator[](int column) const { return cells[static_cast<std::size_t>(column)]; }
};

// The captions the results list shows before a language file replaces them.
const std::array<QString, LeadRow::ColumnCount> &DefaultColumnCaptions();
