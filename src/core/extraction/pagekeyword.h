#pragma once

#include <QString>

// The search keyword a result page shows in its search field, or empty. A keyword that holds
// "Search" or "Ricerca" (the field's placeholder in English and Italian) counts as none.

// First layout: the value of the field behind "main-search-box".
QString PageKeyword1(const QString &page);
// Second layout: the value attribute inside the tag of the field named "keywords".
QString PageKeyword2(const QString &page);
