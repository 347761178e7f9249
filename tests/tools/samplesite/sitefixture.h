#pragma once

#include "core/net/downloader.h"
#include "samplesite/samplesite.h"
#include "support/testcontext.h"

#include <QString>

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <ostream>

// A sample site with the default options, the program's HTTP client on a substitute context
// whose endpoints all point at it, and a plain client for raw requests.
class SampleSiteTest : public ::testing::Test {
protected:
    void SetUp() override;

    // A GET of path and query on the site; nothing when no answer came within timeout.
    httplib::Result Get(const QString &target, std::chrono::milliseconds timeout = std::chrono::seconds(2)) const;
    // The body of a page that must answer 200, as UTF-8 text.
    QString Page(const QString &target) const;

    SampleSite site;
    TestContext test;
    Downloader downloader{test.context.settings, test.status, test.context.texts};
};

inline void PrintTo(const QString &text, std::ostream *stream) {
    *stream << '"' << text.toStdString() << '"';
}
