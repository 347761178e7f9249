#pragma once

#include <QString>

struct LeadRow;

bool ReadPublicCompanyPage(const QString &page, LeadRow &row);
