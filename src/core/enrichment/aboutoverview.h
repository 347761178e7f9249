#pragma once

#include <QList>
#include <QString>

struct LeadRow;

struct OverviewEntry {
    QString label;
    QString text;
    QString href;
};

bool ReadAboutOverview(const QList<OverviewEntry> &entries, LeadRow &row);
bool IsOverviewLabel(const QString &label);
