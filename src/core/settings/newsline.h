#pragma once

#include <QString>

// The caption of the news link label: an HTML anchor to newsLink whose text is the section of
// newsText between "<XX1>" and "</XX1>", XX being the language code in ASCII upper case.
QString BuildNewsLine(const QString &newsText, const QString &newsLink, const QString &languageCode);
