#include "core/enrichment/aboutoverview.h"
#include "core/enrichment/publiccompanypage.h"
#include "core/enrichment/signinwall.h"
bool ReadAboutOverview(const QList<OverviewEntry> &, LeadRow &) {
    return false;
}
bool IsOverviewLabel(const QString &) {
    return false;
}
bool ReadPublicCompanyPage(const QString &, LeadRow &) {
    return false;
}
bool IsSignInWall(const QString &, long) {
    return false;
}
