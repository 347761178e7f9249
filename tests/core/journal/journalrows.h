#pragma once

#include "core/model/leadrow.h"

// A numbered row with text beyond ASCII; every other one has a name that needs every escape of
// the journal, so rows are written both with and without escapes; every third one has lone
// surrogates.
inline LeadRow JournalRow(int number) {
    LeadRow row;
    row[LeadRow::BusinessName] = number % 2 == 0 ? QStringLiteral("Company %1\t\\t \"Zoë\"\r\n☃ 😀").arg(number)
                                                 : QStringLiteral("Company %1").arg(number);
    row[LeadRow::City] = QStringLiteral("Zürich");
    row[LeadRow::Category] = number % 3 == 0 ? QChar(0xdc00) + QStringLiteral("Category ") + QChar(0xd83d) : QString();
    row[LeadRow::FullAddress] = QStringLiteral("Bahnhofstrasse %1, 8001 Zürich, Schweiz").arg(number);
    row[LeadRow::LinkedInLink] = QStringLiteral("https://l.example/company/%1").arg(number);
    // Beyond ASCII in the middle, then a long stretch of ASCII.
    row[LeadRow::MapLink] =
        QStringLiteral("https://maps.example/maps?q=Z\u00fcrich+Bahnhofstrasse+%1+8001+Schweiz").arg(number);
    return row;
}
