#pragma once

#include <QString>

struct SampleCompany;

// A company's LinkedIn page: its data as JSON text in a hidden <code> element, the way LinkedIn
// embeds it. siteBase goes in front of the company's web site path.
QString CompanyPage(const SampleCompany &company, const QString &siteBase);
