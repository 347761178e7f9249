#pragma once

#include "core/async/stoptoken.h"
#include "core/net/fetchresult.h"

#include <QString>
#include <qcoro/qcorotask.h>

#include <utility>

// The program's two ways of fetching a page outside the browser pane. Each gives the reply's
// text (FetchResult::text) or why there is none. stop ends the fetch and its pauses at once, as
// Aborted: a run passes its own stop, so Stop ends the run's fetches and nothing else.
class Fetcher {
public:
    virtual ~Fetcher() = default;

    // Paced fetch with proxy handling and, in proxy-list mode, retries.
    virtual QCoro::Task<FetchResult> DownloadURL(QString AURL, bool UseUTF8, StopToken stop) = 0;
    // One plain fetch without pacing, proxy step or retry.
    virtual QCoro::Task<FetchResult> DirectDownloadURL(QString AURL, bool UseUTF8, StopToken stop) = 0;
    // A LinkedIn page, paced, as UTF-8: it goes out from the address the member browses from
    // (the fixed proxy, or direct), never through a proxy list, and is asked once.
    virtual QCoro::Task<FetchResult> DownloadLinkedInPage(QString AURL, StopToken stop) {
        return DownloadURL(std::move(AURL), true, std::move(stop));
    }
    // The host and reason of the last fetch that failed; empty when none has.
    virtual QString lastFailure() const { return {}; }
};
