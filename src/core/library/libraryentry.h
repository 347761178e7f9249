#pragma once

#include "core/model/leadrow.h"

#include <QDateTime>
#include <QString>

// One company as the library keeps it.
struct LibraryEntry {
    qint64 id = 0;
    LeadRow row;
    QDateTime firstSeen;
    QDateTime lastSeen;
    QString searchAddress; // of the search that first listed it
    QString failure;       // why fetching it failed; empty when it is complete
};
