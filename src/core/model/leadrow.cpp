#include "core/model/leadrow.h"

const std::array<QString, LeadRow::ColumnCount> &DefaultColumnCaptions() {
    static const std::array<QString, LeadRow::ColumnCount> captions = {
        QStringLiteral("Category"),      QStringLiteral("Business Name"),
        QStringLiteral("Full Address"),  QStringLiteral("Address"),
        QStringLiteral("City"),          QStringLiteral("State"),
        QStringLiteral("Postal Code"),   QStringLiteral("Country"),
        QStringLiteral("Phone"),         QStringLiteral("Fax"),
        QStringLiteral("Website"),       QStringLiteral("Email"),
        QStringLiteral("Specialties"),   QStringLiteral("Industry"),
        QStringLiteral("Type"),          QStringLiteral("Founded"),
        QStringLiteral("Company Size"),  QStringLiteral("Map Link"),
        QStringLiteral("LinkedIn Link"), QStringLiteral("Google Maps Details"),
        QStringLiteral("Email Status"),  QStringLiteral("Email Source"),
        QStringLiteral("Social Links"),
    };
    return captions;
}
