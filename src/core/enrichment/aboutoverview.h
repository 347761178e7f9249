#pragma once

#include <QList>
#include <QString>

struct LeadRow;

// One entry of the overview list of a company's signed-in "about" page: a term's visible text,
// the visible text of the first detail after it and the absolute address of that detail's first
// link (empty when it has none).
struct OverviewEntry {
    QString label;
    QString text;
    QString href;
};

// Fills Website, Industry, CompanySize, Type, Founded, Specialties and the headquarters cells
// from the entries whose labels it knows (trimmed, any case; the first entry of a label counts).
// The web site is the link when it is an absolute http(s) address, unwrapped from LinkedIn's
// redirect, else the text. True when a cell was filled.
bool ReadAboutOverview(const QList<OverviewEntry> &entries, LeadRow &row);

// True when the label is one of the overview's, in any language the table holds.
bool IsOverviewLabel(const QString &label);
