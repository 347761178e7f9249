#pragma once

#include "core/app/endpoints.h"
#include "samplesite/samplecompany.h"
#include "samplesite/samplesiteoptions.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// Everything an extraction run talks to, served over plain HTTP on one port of 127.0.0.1:
// LinkedIn's home and company search pages in both layouts, company pages, the Places web
// service, the companies' own web sites, map links and the publisher's files. The content
// follows from the options alone. Requests are answered on threads of the server; every
// public function may be called from any thread.
class SampleSite {
public:
    explicit SampleSite(SampleSiteOptions options = {});
    // Stops serving and joins the server's thread; stalled requests are cut short.
    ~SampleSite();

    SampleSite(const SampleSite &) = delete;
    SampleSite &operator=(const SampleSite &) = delete;

    // Binds 127.0.0.1 and serves on a thread; returns once requests are accepted. False when
    // the port cannot be bound.
    bool start();
    void stop();

    // "http://127.0.0.1:PORT", no trailing slash.
    QString base() const;
    // Every endpoint of the program pointed at this site, with the two sample Places keys.
    Endpoints endpoints() const;
    // The address of a result page; layout is 1 or 2, page counts from 1.
    QString searchUrl(int layout, int page = 1) const;
    // The entries of a result page, in page order; empty for a page the search does not have.
    QList<SampleCompany> companies(int layout, int page) const;

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
    void clearRequestLog();

private:
    struct State;
    std::unique_ptr<State> m_state;
};
