#pragma once

#include "core/app/endpoints.h"
#include "samplesite/samplecompany.h"
#include "samplesite/samplesiteoptions.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// Everything an extraction run talks to, served over plain HTTP on one port of 127.0.0.1:
// LinkedIn's home and company search pages in three layouts (the third as LinkedIn serves it
// today, drawn by script, with its sign-in walls and account limits), company pages, the Places web
// service, the companies' own web sites, map links and the publisher's files. The content
// follows from the options alone. The companies' mail domains are answered by a name server on
// a UDP port of 127.0.0.1, as SampleContacts::MailServerOf says. Requests are answered on threads
// of the servers; every public function may be called from any thread.
class SampleSite {
public:
    explicit SampleSite(SampleSiteOptions options = {});
    // Stops serving and joins the server's thread; stalled requests are cut short.
    ~SampleSite();

    SampleSite(const SampleSite &) = delete;
    SampleSite &operator=(const SampleSite &) = delete;

    // Binds 127.0.0.1 and serves on threads; returns once requests and name queries are answered.
    // False when a port cannot be bound.
    bool start();
    void stop();

    // "http://127.0.0.1:PORT", no trailing slash.
    QString base() const;
    // Every endpoint of the program pointed at this site and its name server, with the two sample
    // Places keys.
    Endpoints endpoints() const;
    // The address of a result page; layout is 1, 2 or 3 (today's), page counts from 1.
    QString searchUrl(int layout, int page = 1) const;
    // The entries of a result page, in page order; empty for a page the search does not have.
    QList<SampleCompany> companies(int layout, int page) const;
    // Whether a plain fetch of that entry's company page meets the sign-in wall; entryIndex
    // counts from 0 as companies() lists them.
    bool behindSignInWall(int layout, int page, int entryIndex) const;

    // LinkedIn's guards of the member's account. Counted are requests for result pages of every
    // layout and for "/company/..." pages, about pages included; sign-in and check pages are not.
    // After count further counted requests, every counted request is redirected (302) to the
    // security check "/checkpoint/challenge/AgE?x=1"; below 0 turns it off (the default).
    void setCheckpointAfter(int count);
    // Counted requests answer 429, unless the security check is due.
    void setTooManyRequests(bool on);
    // Today's result pages say "You've reached the monthly commercial use limit" instead.
    void setCommercialUseLimit(bool on);
    // Counted requests since the start or clearRequestLog(), however they were answered.
    int linkedInRequestCount() const;

    // Requests whose path starts with pathPrefix get the fault: every such request when count
    // is below 0, otherwise the next count ones. The longest matching prefix wins; Fault::None
    // removes the prefix's fault. The control paths under "/_sample/" never fail.
    //   Slow: waits delayMs, then answers.        Trickle: sends the body in pieces over delayMs.
    //   NotFound, ServerError: 404, 500.          ResetMidBody: headers and half the body, then closes.
    //   Stall: sends nothing for delayMs (or until the site stops), then closes unanswered.
    enum class Fault { None, Slow, Trickle, NotFound, ServerError, ResetMidBody, Stall };
    void setFault(const QString &pathPrefix, Fault fault, int count = -1, int delayMs = 2000);
    void clearFaults();

    // Every request target (path and query, as sent) received, in arrival order.
    QStringList requestedTargets() const;
    // Empties the log and sets linkedInRequestCount() to 0.
    void clearRequestLog();

private:
    struct State;
    std::unique_ptr<State> m_state;
};
