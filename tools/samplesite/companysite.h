#pragma once

#include <QString>

struct SampleCompany;

// A company's own web site: a home page and a contact page, which between them publish the
// company's e-mail addresses.
namespace CompanySite {

QString HomePage(const SampleCompany &company);
QString ContactPage(const SampleCompany &company);

} // namespace CompanySite
