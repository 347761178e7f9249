#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The word lists the sample companies are drawn from. No word holds a keyword the program looks
// for in contact links ("contact", "help", "about", ...), so only a site's own contact link
// reads as one.

// A headquarters place with what LinkedIn and Places say about it.
struct CatalogLocation {
    QString city, state, zip, country;
    QString street;
    bool numberFirst;     // "12 Main St" rather than "Via Roma 12"
    QString region;       // the Places region, fuller than LinkedIn's state
    QString phonePattern; // "#" stands for a digit
};

namespace CatalogWords {

// Every second one carries an accent.
const QStringList &FirstWords();
const QStringList &SecondWords();
const QStringList &Industries();
const QStringList &CompanyTypes();
const QStringList &Sizes();
// One holds "&".
const QStringList &Specialties();
const QList<QStringList> &PlaceTypeSets();
const QList<CatalogLocation> &Locations();

} // namespace CatalogWords
