// MarkerScan finds, for every marker, the first occurrence that a plain search finds: with
// exact case, and with the case of ASCII letters ignored.
#include "core/enrichment/markerscan.h"
#include "fuzzcheck.h"
#include "fuzztext.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    QString anchor = TrickyText(input, 3);
    if (anchor.isEmpty()) {
        anchor = QStringLiteral("\":");
    }
    // Every marker holds the anchor, as the scan requires.
    std::vector<QString> markers(input.ConsumeIntegralInRange<std::size_t>(1, 8));
    for (QString &marker : markers) {
        marker = TrickyText(input, 6) + anchor + TrickyText(input, 6);
    }
    // Text around copies of the markers, some letters' case flipped, so that markers occur.
    QString text;
    while (input.remaining_bytes() > 0 && text.size() < 4096) {
        text += TrickyText(input, 16);
        QString copy = markers[input.ConsumeIntegralInRange<std::size_t>(0, markers.size() - 1)];
        for (QChar &c : copy) {
            if (input.ConsumeIntegralInRange(0, 7) == 0) {
                c = FlipAsciiCase(c);
            }
        }
        text += copy.left(input.ConsumeIntegralInRange<qsizetype>(0, copy.size()));
    }
    const std::vector<QStringView> views(markers.begin(), markers.end());
    const MarkerScan scan(text, views, anchor);
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const auto index = static_cast<qsizetype>(i);
        const qsizetype exact = text.indexOf(markers[i]);
        const qsizetype folded = IndexOfFoldedReference(text, markers[i]);
        FuzzCheck(scan.FirstExact(index) == exact, "the scan finds the first exact occurrence a plain search finds",
                  [&]() -> QString {
                      return QStringLiteral("marker %1 (anchor %2): %3, plain search %4")
                          .arg(Shown(markers[i]), Shown(anchor))
                          .arg(scan.FirstExact(index))
                          .arg(exact);
                  });
        FuzzCheck(scan.FirstFolded(index) == folded,
                  "the scan finds the first occurrence a plain ASCII-case-insensitive search finds", [&]() -> QString {
                      return QStringLiteral("marker %1 (anchor %2): %3, plain search %4")
                          .arg(Shown(markers[i]), Shown(anchor))
                          .arg(scan.FirstFolded(index))
                          .arg(folded);
                  });
    }
    return 0;
}
