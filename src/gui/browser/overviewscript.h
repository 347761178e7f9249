#pragma once

#include "core/enrichment/aboutoverview.h"

#include <QList>
#include <QString>
#include <QVariant>

// JavaScript that reads a page's definition lists (rules in the .cpp), and the reading of its answer.
namespace OverviewScript {

// An expression whose value is the entries as JSON text.
QString Source();

// The entries of the script's answer; none for anything else.
QList<OverviewEntry> Entries(const QVariant &answer);

} // namespace OverviewScript
