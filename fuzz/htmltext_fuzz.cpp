// The text helpers on page text:
// - SplitText: the pieces joined again with the delimiter give the text back, and no piece
//   holds the delimiter (every occurrence was a split);
// - HtmlToText: the result is trimmed of control characters and spaces and holds no double
//   quote and no line break or tab; TrimControls gives the text without its ends.
#include "core/util/textcursor.h"
#include "fuzzcheck.h"
#include "fuzztext.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool IsTrimmed(const QString &text) {
    return text.isEmpty() || (text.front().unicode() > 32 && text.back().unicode() > 32);
}

void CheckSplit(const QString &text, const QString &delimiter) {
    QStringList pieces{QStringLiteral("left over from an earlier call")};
    SplitText(text, delimiter, pieces);
    FuzzCheck(pieces.join(delimiter) == text, "split pieces joined with the delimiter give the text back",
              [&]() -> QString { return Shown(text) + QStringLiteral(" split at ") + Shown(delimiter); });
    if (delimiter.isEmpty()) {
        FuzzCheck(pieces.size() == 1, "an empty delimiter is never found");
        return;
    }
    for (const QString &piece : pieces) {
        FuzzCheck(!piece.contains(delimiter), "no piece holds the delimiter",
                  [&]() -> QString { return Shown(piece); });
    }
}

void CheckHtmlToText(const QString &text) {
    const QString plain = HtmlToText(text);
    FuzzCheck(IsTrimmed(plain), "HtmlToText trims its result", [&]() -> QString { return Shown(plain); });
    FuzzCheck(!plain.contains(u'"') && !plain.contains(u'\r') && !plain.contains(u'\n') && !plain.contains(u'\t'),
              "HtmlToText leaves no double quote, line break or tab", [&]() -> QString { return Shown(plain); });
    const QString trimmed = TrimControls(text);
    FuzzCheck(IsTrimmed(trimmed) && text.contains(trimmed), "TrimControls only takes the ends",
              [&]() -> QString { return Shown(trimmed); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const QString delimiter = TrickyText(input, 4);
    const QString text = TrickyText(input, 4096);
    CheckSplit(text, delimiter);
    CheckHtmlToText(text);
    return 0;
}
