#pragma once

#include "core/net/fetcher.h"

#include <httplib.h>

// Interim transport: plain HTTP through cpp-httplib, decoding byte for byte unless UTF-8 is asked.
class BridgeFetcher : public Fetcher {
public:
    bool DownloadURL(const QString &AURL, QString &ASource, bool UseUTF8) override {
        return Get(AURL, ASource, UseUTF8);
    }
    bool DirectDownloadURL(const QString &AURL, QString &ASource, bool UseUTF8) override {
        return Get(AURL, ASource, UseUTF8);
    }

private:
    static bool Get(const QString &url, QString &source, bool useUtf8) {
        const qsizetype hostStart = url.indexOf(u"://");
        if (hostStart < 0) {
            return false;
        }
        const qsizetype pathStart = url.indexOf(u'/', hostStart + 3);
        const QString origin = pathStart < 0 ? url : url.left(pathStart);
        const QString target = pathStart < 0 ? QStringLiteral("/") : url.mid(pathStart);
        httplib::Client client(origin.toStdString());
        const httplib::Result result = client.Get(target.toStdString());
        if (!result || result->status >= 400) {
            return false;
        }
        const QByteArray body = QByteArray::fromStdString(result->body);
        source = useUtf8 ? QString::fromUtf8(body) : QString::fromLatin1(body);
        return true;
    }
};
