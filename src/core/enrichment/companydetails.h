#pragma once

#include "core/async/stoptoken.h"

#include <QString>
#include <qcoro/qcorotask.h>

class Fetcher;
struct LeadRow;

// Fetches a company's LinkedIn page and fills the row's address, web site, specialties,
// industry, type, founding year and size from it. A failed fetch changes no cell and gives false.
QCoro::Task<bool> ExtractCompanyDetails(Fetcher &fetcher, QString BDetails, LeadRow &row, StopToken stop);

// The reading of ExtractCompanyDetails, from the page's text: the JSON text embedded in the page
// is cut, not parsed; each member is found by its literal marker.
void ReadCompanyDetails(const QString &text, LeadRow &row);
