#pragma once

#include "core/model/leadrow.h"

// A numbered row whose name needs every escape of the journal and holds text beyond ASCII.
inline LeadRow JournalRow(int number) {
    LeadRow row;
    row[LeadRow::BusinessName] = QStringLiteral("Company %1\t\\t \"Zoë\"\r\n☃ 😀").arg(number);
    row[LeadRow::City] = QStringLiteral("Zürich");
    row[LeadRow::FullAddress] = QStringLiteral("Bahnhofstrasse %1, 8001 Zürich, Schweiz").arg(number);
    row[LeadRow::LinkedInLink] = QStringLiteral("https://l.example/company/%1").arg(number);
    return row;
}
