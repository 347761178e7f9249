// ReadPublicCompanyPage on a 2 MB public company page (target: under 5 ms). The page is the
// realistic test page padded with the markup such pages carry around the about section: feed
// cards with their own data-test-id markers, definition lists, inline scripts and JSON blocks of
// other types. Once with the about section and Organization block behind the padding (every scan
// crosses the whole page), once in front of it.
#include "core/enrichment/publiccompanypage.h"
#include "core/model/leadrow.h"

#include <QFile>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype pageChars = 2 * 1024 * 1024;

QString TestPage() {
    QFile file(QStringLiteral(TARNWICK_SOURCE_TEST_DATA "/fuzz/publiccompanypage/about.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString Padding(qsizetype chars) {
    QString padding;
    padding.reserve(chars + 4096);
    for (int i = 0; padding.size() < chars; ++i) {
        padding +=
            u"<li class=\"mb-1\"><article class=\"main-feed-activity-card\" data-test-id=\"main-feed-activity-card\" "
            u"data-activity-urn=\"urn:li:activity:"_s +
            QString::number(7000000 + i) +
            u"\"><div data-test-id=\"main-feed-activity-card__commentary\" dir=\"ltr\">We are hiring &amp; "
            u"growing! Join our team in Springfield&nbsp;&#8212; <a href=\"https://www.linkedin.com/feed/hashtag/"
            u"hiring\">#hiring</a></div><dl class=\"similar\"><dt>Followers</dt><dd>1,234</dd></dl>"
            u"<script type=\"text/javascript\">window.__cards = (window.__cards || 0) + 1;</script>"
            u"<code style=\"display: none\"><!--{\"entityUrn\":\"urn:li:fs_update:"_s +
            QString::number(i) + u"\",\"numLikes\":12}--></code></article></li>\n"_s;
        if (i % 200 == 0) {
            padding +=
                u"<script type=\"application/ld+json\">{\"@type\":\"DiscussionForumPosting\",\"text\":\"post "_s +
                QString::number(i) + u"\"}</script>\n"_s;
        }
    }
    return padding;
}

// state.range(0): 1 puts the about section and Organization block behind the padding.
void BM_ReadPublicCompanyPage2MB(benchmark::State &state) {
    const QString test = TestPage();
    const qsizetype main = test.indexOf(u"<main");
    if (main < 0) {
        state.SkipWithError("the test page is missing");
        return;
    }
    const QString padding = Padding(pageChars - test.size());
    QString page;
    if (state.range(0) == 1) {
        page = u"<!DOCTYPE html><html><body><ul>"_s + padding + u"</ul>"_s + test;
    } else {
        page = test.left(main) + test.mid(main).replace(u"</main>"_s, padding + u"</main>"_s);
    }
    LeadRow row;
    for (auto _ : state) {
        row = LeadRow{};
        benchmark::DoNotOptimize(ReadPublicCompanyPage(page, row));
    }
    if (row[LeadRow::FullAddress] != u"10 Main St, Springfield, IL 62701, US" ||
        row[LeadRow::Website] != u"https://acme.example/home") {
        state.SkipWithError("the page was not read");
    }
    state.SetLabel(QStringLiteral("%1 characters").arg(page.size()).toStdString());
}

} // namespace

BENCHMARK(BM_ReadPublicCompanyPage2MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
