#pragma once

#include <QString>

struct SampleCompany;

// The company page LinkedIn serves today to a visitor without a session: an "about us"
// definition list whose entries carry data-test-id="about-us__<field>", and an ld+json block of
// @type Organization with the PostalAddress, after a WebPage block. siteBase goes in front of
// the company's web site path and its page address.
QString PublicCompanyPage(const SampleCompany &company, const QString &siteBase);
