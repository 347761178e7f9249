#include "samplesite/catalogwords.h"

namespace CatalogWords {

const QStringList &FirstWords() {
    static const QStringList words{
        QStringLiteral("Acme"),       QStringLiteral("Crémerie"), QStringLiteral("Nordwind"), QStringLiteral("Müller"),
        QStringLiteral("Bellavista"), QStringLiteral("Löwen"),    QStringLiteral("Harbor"),   QStringLiteral("Château"),
        QStringLiteral("Granite"),    QStringLiteral("Brücken"),  QStringLiteral("Orsini"),   QStringLiteral("Élan"),
    };
    return words;
}

const QStringList &SecondWords() {
    static const QStringList words{
        QStringLiteral("Widgets"), QStringLiteral("Tools"),    QStringLiteral("Systems"), QStringLiteral("Gears"),
        QStringLiteral("Works"),   QStringLiteral("Labs"),     QStringLiteral("Foods"),   QStringLiteral("Textiles"),
        QStringLiteral("Optics"),  QStringLiteral("Robotics"),
    };
    return words;
}

const QStringList &Industries() {
    static const QStringList words{
        QStringLiteral("Machinery"),
        QStringLiteral("Industrial Automation"),
        QStringLiteral("Food Production"),
        QStringLiteral("Textiles"),
        QStringLiteral("Consumer Electronics"),
        QStringLiteral("Logistics and Supply Chain"),
        QStringLiteral("Renewables and Environment"),
        QStringLiteral("Medical Devices"),
    };
    return words;
}

const QStringList &CompanyTypes() {
    static const QStringList words{
        QStringLiteral("Privately Held"), QStringLiteral("Public Company"),      QStringLiteral("Partnership"),
        QStringLiteral("Self-Owned"),     QStringLiteral("Sole Proprietorship"),
    };
    return words;
}

const QStringList &Sizes() {
    static const QStringList words{
        QStringLiteral("1-10 employees"),     QStringLiteral("11-50 employees"),
        QStringLiteral("51-200 employees"),   QStringLiteral("201-500 employees"),
        QStringLiteral("501-1000 employees"), QStringLiteral("1001-5000 employees"),
    };
    return words;
}

const QStringList &Specialties() {
    static const QStringList words{
        QStringLiteral("Precision parts"), QStringLiteral("Design & Engineering"),
        QStringLiteral("Prototyping"),     QStringLiteral("Field service"),
        QStringLiteral("Export"),          QStringLiteral("Custom orders"),
        QStringLiteral("Quality control"), QStringLiteral("Repairs"),
    };
    return words;
}

const QList<QStringList> &PlaceTypeSets() {
    static const QList<QStringList> sets{
        {QStringLiteral("store"), QStringLiteral("point_of_interest"), QStringLiteral("establishment")},
        {QStringLiteral("hardware_store"), QStringLiteral("store"), QStringLiteral("point_of_interest")},
        {QStringLiteral("electronics_store"), QStringLiteral("store"), QStringLiteral("establishment")},
        {QStringLiteral("point_of_interest"), QStringLiteral("establishment")},
        {QStringLiteral("food"), QStringLiteral("point_of_interest"), QStringLiteral("establishment")},
    };
    return sets;
}

const QList<CatalogLocation> &Locations() {
    static const QList<CatalogLocation> locations{
        {QStringLiteral("Besançon"), QStringLiteral("Doubs"), QStringLiteral("25000"), QStringLiteral("France"),
         QStringLiteral("Rue des Granges"), true, QStringLiteral("Bourgogne-Franche-Comté"),
         QStringLiteral("03 81 ## ## ##")},
        {QStringLiteral("München"), QStringLiteral("BY"), QStringLiteral("80331"), QStringLiteral("Deutschland"),
         QStringLiteral("Leopoldstraße"), false, QStringLiteral("Bayern"), QStringLiteral("089 #######")},
        {QStringLiteral("Milano"), QStringLiteral("MI"), QStringLiteral("20121"), QStringLiteral("Italia"),
         QStringLiteral("Via Dante"), false, QStringLiteral("Lombardia"), QStringLiteral("02 #### ####")},
        {QStringLiteral("Springfield"), QStringLiteral("IL"), QStringLiteral("62701"), QStringLiteral("United States"),
         QStringLiteral("Main St"), true, QStringLiteral("Illinois"), QStringLiteral("(217) 555-####")},
        {QStringLiteral("Zürich"), QStringLiteral("ZH"), QStringLiteral("8001"), QStringLiteral("Schweiz"),
         QStringLiteral("Bahnhofstrasse"), false, QStringLiteral("Zürich"), QStringLiteral("044 ### ## ##")},
        {QStringLiteral("Lyon"), QStringLiteral("Rhône"), QStringLiteral("69002"), QStringLiteral("France"),
         QStringLiteral("Rue de la République"), true, QStringLiteral("Auvergne-Rhône-Alpes"),
         QStringLiteral("04 72 ## ## ##")},
        {QStringLiteral("Köln"), QStringLiteral("NRW"), QStringLiteral("50667"), QStringLiteral("Deutschland"),
         QStringLiteral("Hohe Straße"), false, QStringLiteral("Nordrhein-Westfalen"), QStringLiteral("0221 ######")},
        {QStringLiteral("Torino"), QStringLiteral("TO"), QStringLiteral("10121"), QStringLiteral("Italia"),
         QStringLiteral("Via Roma"), false, QStringLiteral("Piemonte"), QStringLiteral("011 ### ####")},
        {QStringLiteral("Portland"), QStringLiteral("OR"), QStringLiteral("97204"), QStringLiteral("United States"),
         QStringLiteral("SW Morrison St"), true, QStringLiteral("Oregon"), QStringLiteral("(503) 555-####")},
        {QStringLiteral("Austin"), QStringLiteral("TX"), QStringLiteral("78701"), QStringLiteral("United States"),
         QStringLiteral("Congress Ave"), true, QStringLiteral("Texas"), QStringLiteral("(512) 555-####")},
    };
    return locations;
}

} // namespace CatalogWords
