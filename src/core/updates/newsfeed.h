#pragma once

#include "core/async/stoptoken.h"

#include <QString>
#include <qcoro/qcorotask.h>

#include <optional>

class Fetcher;

// The publisher's news file, fetched once at start-up: its text, or nothing when the fetch failed.
QCoro::Task<std::optional<QString>> GetNews(Fetcher &fetcher, QString newsDataUrl, StopToken stop);

// The offers page for the news tab: the page's address with "lang" (the language code) and
// then "resid" (the reseller number, 0) added to its query; empty when there is no offers page.
QString OffersPageAddress(const QString &offersPageUrl, const QString &languageCode);
