#pragma once

#include <QString>

// The program's two ways of fetching a page outside the browser pane. Both return true when
// ASource holds the reply; on failure ASource keeps what it held.
class Fetcher {
public:
    virtual ~Fetcher() = default;

    // Paced fetch with proxy handling and, in proxy-list mode, retries.
    virtual bool DownloadURL(const QString &AURL, QString &ASource, bool UseUTF8) = 0;
    // One plain fetch without pacing, proxy step or retry.
    virtual bool DirectDownloadURL(const QString &AURL, QString &ASource, bool UseUTF8) = 0;

    // The address the last successful fetch finally read its reply from, after redirects;
    // empty when not known, which means the address that was asked for.
    virtual QString lastEffectiveUrl() const { return {}; }
};
