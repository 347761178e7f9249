#pragma once

#include <QString>

struct LeadRow;

// Reads LinkedIn's public company page as it is served to visitors who are not signed in:
// - the "about us" entries (an element marked data-test-id="about-us__<name>" holding a dt and a
//   dd) into Specialties, Website, Industry, Type, CompanySize and Founded; a value is the dd's
//   text without tags, entities decoded, white space collapsed and trimmed; the web site is the
//   dd's first link (unwrapped from LinkedIn's redirect), else its text;
// - the first application/ld+json block describing an Organization (directly, in an array or in
//   "@graph") with its PostalAddress into Address, City, State, PostalCode and Country, joined into
//   FullAddress as the older company pages are; without one, the headquarters entry's "City, State".
// Only cells for which the page has a value are written. True when at least one was. Linear time.
bool ReadPublicCompanyPage(const QString &page, LeadRow &row);
