#pragma once

#include <QString>

class Fetcher;
struct LeadRow;

// Fetches a company's LinkedIn page and fills the row's address, web site, specialties,
// industry, type, founding year and size from the JSON text embedded in it. The page is cut,
// not parsed: each member is found by its literal marker. A failed fetch changes no cell.
void ExtractCompanyDetails(Fetcher &fetcher, const QString &BDetails, LeadRow &row);
