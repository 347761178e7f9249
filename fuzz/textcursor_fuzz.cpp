// TextCursor and CutBetween on a text and a script of operations drawn from the input:
// - a cut only ever removes text from the front: what remains is a suffix of what remained;
// - the folded search answers what a plain search ignoring ASCII case answers, also after cuts
//   and copies have moved the front past the occurrences the cursor remembers;
// - each cut gives the text and leaves the buffer that the plain rules of CutBetween give.
#include "core/util/textcursor.h"
#include "fuzzcheck.h"
#include "fuzztext.h"

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// What a cut does, on plain strings; remaining is replaced by the buffer after the cut.
QString ReferenceCut(QStringView startMarker, QStringView endMarker, int offset, QString &remaining) {
    const qsizetype start = IndexOfFoldedReference(remaining, startMarker);
    if (start < 0) {
        return {};
    }
    const qsizetype front = std::min(start + startMarker.size() + offset, remaining.size());
    const QString rest = remaining.sliced(front);
    const qsizetype end = IndexOfFoldedReference(rest, endMarker);
    const QString result = end > 0 ? rest.first(end) : QString();
    remaining = rest.sliced(std::clamp<qsizetype>((end < 0 ? -1 : end) + offset, 0, rest.size()));
    return result;
}

// Mostly a piece of the text with some letters' case flipped, so markers are often found.
QString PickMarker(FuzzedDataProvider &input, QStringView text) {
    if (text.isEmpty() || input.ConsumeIntegralInRange(0, 3) == 0) {
        return TrickyText(input, 6);
    }
    const qsizetype from = input.ConsumeIntegralInRange<qsizetype>(0, text.size() - 1);
    const qsizetype length = input.ConsumeIntegralInRange<qsizetype>(0, std::min<qsizetype>(8, text.size() - from));
    QString marker = text.sliced(from, length).toString();
    for (QChar &c : marker) {
        if (input.ConsumeBool()) {
            c = FlipAsciiCase(c);
        }
    }
    return marker;
}

void CheckSearches(const TextCursor &cursor, const QString &marker) {
    const qsizetype folded = cursor.indexOfFolded(marker);
    const qsizetype expected = IndexOfFoldedReference(cursor.remaining(), marker);
    FuzzCheck(folded == expected, "the folded search finds what a plain ASCII-case-insensitive search finds",
              [&]() -> QString {
                  return QStringLiteral("marker %1 found at %2, plain search %3 in %4")
                      .arg(Shown(marker))
                      .arg(folded)
                      .arg(expected)
                      .arg(Shown(cursor.remaining()));
              });
    FuzzCheck(cursor.contains(marker) == cursor.remaining().contains(marker),
              "the exact-case test agrees with a plain search", [&]() -> QString { return Shown(marker); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const QString text = TrickyText(input, 2048);
    const TextCursor page(text);
    TextCursor cursor = page;
    QString expected = text;
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const QString marker = PickMarker(input, cursor.remaining());
        CheckSearches(cursor, marker);
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0: {
            const QString endMarker = PickMarker(input, cursor.remaining());
            CheckSearches(cursor, endMarker);
            const int offset = input.ConsumeIntegralInRange(0, 3);
            const QString before = cursor.toString();
            const QString cut = CutBetween(marker, endMarker, offset, cursor);
            FuzzCheck(
                before.endsWith(cursor.remaining()), "a cut only removes text from the front of the buffer",
                [&]() -> QString { return Shown(before) + QStringLiteral(" became ") + Shown(cursor.remaining()); });
            const QString expectedCut = ReferenceCut(marker, endMarker, offset, expected);
            FuzzCheck(cut == expectedCut && cursor.remaining() == expected,
                      "CutBetween cuts between the first start marker and the first end marker behind it",
                      [&]() -> QString {
                          return QStringLiteral("cut %1, buffer %2; expected %3, buffer %4")
                              .arg(Shown(cut), Shown(cursor.remaining()), Shown(expectedCut), Shown(expected));
                      });
            break;
        }
        case 1: {
            const auto n = input.ConsumeIntegralInRange<qsizetype>(-2, cursor.size() + 2);
            cursor.advance(n);
            expected = expected.sliced(std::clamp<qsizetype>(n, 0, expected.size()));
            break;
        }
        case 2: {
            // A copy goes on from the same place with what the original remembered.
            const TextCursor copy = cursor;
            cursor = copy;
            break;
        }
        default:
            // Assigning the page's cursor rewinds to the whole text.
            cursor = page;
            expected = text;
            break;
        }
        FuzzCheck(cursor.remaining() == expected, "the buffer holds what the operations left of the text");
    }
    return 0;
}
