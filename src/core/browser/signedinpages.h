#pragma once

#include "core/async/stoptoken.h"
#include "core/enrichment/aboutoverview.h"

#include <QList>
#include <QString>
#include <qcoro/qcorotask.h>

struct SignedInPage {
    QString error;
    QString finalUrl;
    QList<OverviewEntry> overview;
    bool ok() const { return error.isEmpty(); }
};

// Pages read in the member's own browser session, out of the user's sight.
class SignedInPages {
public:
    virtual ~SignedInPages() = default;
    virtual QCoro::Task<SignedInPage> readAboutPage(QString address, StopToken stop) = 0;
};
