#pragma once

#include <QString>

class StartVariation;
struct SampleCompany;

// "/company/SLUG/about/" as a signed-in member sees it: an "Overview" section with a definition
// list labelled Website, Industry, Company size, Headquarters, Type, Founded and Specialties,
// drawn by the page's script 200 to 800 ms after load. Company size has a second dd with the
// count of associated members. siteBase goes in front of the company's web site path.
QString MemberAboutPage(const SampleCompany &company, const QString &siteBase, const StartVariation &variation);
