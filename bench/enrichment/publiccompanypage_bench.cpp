// ReadPublicCompanyPage on a 2 MB public company page (target: under 5 ms). The page is the
// realistic test page padded with the markup such pages carry around the about section: feed
// cards with their own data-test-id markers, definition lists, inline scripts and JSON blocks of
// other types. Once with the about section and Organization block behind the padding (every scan
// crosses the whole page), once in front of it.
#include "core/enrichment/publiccompanypage.h"
#include "core/model/leadrow.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <array>

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

// Pages built against the scans, at 1 and 2 MB: the time must grow with the size, not faster.
// state.range(0) chooses the shape, state.range(1) the size in MB.
QString HostilePage(int shape, qsizetype chars) {
    const std::array<QString, 5> units{
        u" application/ld+json"_s,                         // inside a quote never closed
        u"<div data-test-id=\"about-us__website\"><dd>"_s, // entries with nothing in them
        u"<script type=\"application/ld+json\">[[[[[[[[</script>"_s,
        u"&#x41;<b>&amp&lt;"_s, // one detail to the end of the page
        u"%2F"_s,               // one redirect address to the end of the page
    };
    const std::array<QString, 5> fronts{
        u"<a title=\"x"_s,
        QString(),
        QString(),
        u"<dl><div data-test-id=\"about-us__industry\"><dd>"_s,
        u"<div data-test-id=\"about-us__website\"><dd><a href=\"/redir/redirect?url="_s,
    };
    const QString &unit = units.at(static_cast<std::size_t>(shape));
    QString page = fronts.at(static_cast<std::size_t>(shape));
    page.reserve(chars + unit.size());
    while (page.size() < chars) {
        page += unit;
    }
    return page;
}

void BM_ReadHostilePage(benchmark::State &state) {
    const QString page = HostilePage(static_cast<int>(state.range(0)), state.range(1) * 1024 * 1024);
    for (auto _ : state) {
        LeadRow row;
        benchmark::DoNotOptimize(ReadPublicCompanyPage(page, row));
    }
}

} // namespace

BENCHMARK(BM_ReadPublicCompanyPage2MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadHostilePage)->ArgsProduct({{0, 1, 2, 3, 4}, {1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
