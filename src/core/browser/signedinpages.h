#pragma once

#include "core/async/stoptoken.h"
#include "core/enrichment/aboutoverview.h"

#include <QList>
#include <QString>
#include <qcoro/qcorotask.h>

// What reading a signed-in page gave: the overview entries it drew (possibly none) and the
// address it ended at after redirects, or why it could not be read.
struct SignedInPage {
    QString error; // empty on success
    QString finalUrl;
    QList<OverviewEntry> overview;
    bool ok() const { return error.isEmpty(); }
};

// Pages read in the member's own browser session, out of the user's sight.
class SignedInPages {
public:
    virtual ~SignedInPages() = default;
    // Loads a company's about page, waits for it to draw its overview and reads it. A failed or
    // timed-out load, or a stop, gives an error; a page that draws no overview gives no entries.
    virtual QCoro::Task<SignedInPage> readAboutPage(QString address, StopToken stop) = 0;
};
