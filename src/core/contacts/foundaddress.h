#pragma once

#include <QList>
#include <QString>

// An address a decoder read from a page, unfiltered, with where on the page it starts.
struct FoundAddress {
    qsizetype position = 0;
    QString address;
};

using FoundAddresses = QList<FoundAddress>;
