// A reply of the publisher's server, decoded as the HTTP client decodes it, then read as the
// update file and as the news text:
// - BodyTextDecoder: the body fed in the pieces the input chooses gives the text of feeding it in
//   one piece, which is the text DecodeBody gives, in every reply mode;
// - NewestVersionText: line 3 without its first "Version=", lines ending in CR LF, CR or LF;
//   VersionNumber is finite and not 0 only for a plain decimal; IsNewerVersion compares numbers;
// - BuildNewsLine: the anchor's text is the section, cut at 200 characters, as escaped plain
//   text (no tag of its own), and the tooltip is the whole of it.
#include "core/app/version.h"
#include "core/net/bodydecoder.h"
#include "core/net/bodytextdecoder.h"
#include "core/settings/newsline.h"
#include "core/updates/updatefile.h"
#include "core/util/codepage.h"
#include "core/util/textcursor.h"
#include "fuzzcheck.h"
#include "fuzztext.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <vector>

namespace {

struct ReplyMode {
    const char *label;
    bool utf8;
    QByteArray contentType;
    QByteArray codePage;
};

const ReplyMode Modes[] = {
    {"UTF-8 text", true, "text/plain", "windows-1252"},
    {"UTF-8 text, windows-1252 declared", true, "text/plain; charset=windows-1252", "windows-1252"},
    {"code page windows-1252", false, "text/plain", "windows-1252"},
    {"code page UTF-8", false, "text/plain", "UTF-8"},
    {"declared UTF-8", false, "text/plain; charset=utf-8", "windows-1252"},
    {"declared windows-1252", false, "text/plain; charset=windows-1252", "UTF-8"},
    {"declared Shift_JIS", false, "text/plain; charset=Shift_JIS", "UTF-8"},
    {"declared UTF-16", false, "text/plain; charset=UTF-16", "UTF-8"},
};

const QString NewsLink = QStringLiteral("https://publisher.example/affiliates?a=1&b=\"2\"");

QString Decoded(const ReplyMode &mode, QByteArrayView body, const QList<qsizetype> &pieces) {
    BodyTextDecoder decoder(mode.utf8, mode.contentType);
    for (const qsizetype piece : pieces) {
        decoder.Append(body.first(piece));
        body = body.sliced(piece);
    }
    decoder.Append(body);
    return decoder.Finish();
}

QString CheckDecoding(const ReplyMode &mode, const QByteArray &body, const QList<qsizetype> &pieces) {
    CodePage::setCurrent(CodePage::named(mode.codePage));
    const QString whole = Decoded(mode, body, {});
    FuzzCheck(whole == DecodeBody(body, mode.contentType, mode.utf8),
              "a body in one piece reads as DecodeBody reads it",
              [&]() -> QString { return QLatin1String(mode.label) + u' ' + QLatin1String(body.toHex()); });
    const QString inPieces = Decoded(mode, body, pieces);
    FuzzCheck(inPieces == whole, "a body in pieces reads as the body in one piece", [&]() -> QString {
        return QLatin1String(mode.label) + u' ' + Shown(inPieces) + QStringLiteral(", whole ") + Shown(whole);
    });
    return whole;
}

QStringList ReferenceLines(const QString &text) {
    QStringList lines{QString()};
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\r' || text.at(i) == u'\n') {
            if (text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
                ++i;
            }
            lines.append(QString());
        } else {
            lines.last() += text.at(i);
        }
    }
    if (lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

bool IsPlainDecimal(QStringView text) {
    qsizetype i = text.startsWith(u'+') || text.startsWith(u'-') ? 1 : 0;
    qsizetype digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text.at(i) >= u'0' && text.at(i) <= u'9') {
            ++digits;
        } else if (text.at(i) == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

void CheckUpdateFile(const QString &text) {
    const std::optional<QString> version = NewestVersionText(text);
    const QStringList lines = ReferenceLines(text);
    FuzzCheck(version.has_value() == (lines.size() >= 3), "an update file has a version line when it has three lines",
              [&]() -> QString { return Shown(text); });
    if (!version) {
        return;
    }
    QString expected = lines.at(2);
    const qsizetype key = expected.indexOf(QLatin1String("Version="));
    if (key >= 0) {
        expected.remove(key, 8);
    }
    FuzzCheck(*version == expected, "the version text is line 3 without its first \"Version=\"",
              [&]() -> QString { return Shown(*version) + QStringLiteral(", expected ") + Shown(expected); });
    const double number = VersionNumber(*version);
    FuzzCheck(std::isfinite(number) && (number == 0.0 || IsPlainDecimal(version->trimmed())),
              "a version reads as a finite number, and as one other than 0 only when it is a plain decimal",
              [&]() -> QString { return Shown(*version); });
    FuzzCheck(IsNewerVersion(*version, ProgramVersion) == (VersionNumber(ProgramVersion) < number),
              "a version is newer when its number is greater", [&]() -> QString { return Shown(*version); });
}

QString Unescaped(QString text) {
    return text.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

QString ReferenceSection(const QString &text, const QString &code) {
    const QString folded = FoldAsciiReference(text);
    const QString startTag = u'<' + code + QStringLiteral("1>");
    const qsizetype start = folded.indexOf(startTag);
    if (start < 0) {
        return {};
    }
    const qsizetype front = start + startTag.size();
    const qsizetype end = folded.indexOf(QStringLiteral("</") + code + QStringLiteral("1>"), front);
    return end < 0 ? QString() : text.sliced(front, end - front);
}

void CheckNewsLine(const QString &text, const QString &language) {
    const NewsLine line = BuildNewsLine(text, NewsLink, language);
    const QString whole = HtmlToText(ReferenceSection(text, FoldAsciiReference(language)));
    const QString open = QStringLiteral("<a href=\"") + NewsLink.toHtmlEscaped() + QStringLiteral("\">");
    const auto detail = [&]() -> QString {
        return language + u' ' + Shown(line.markup);
    };
    FuzzCheck(line.markup.startsWith(open) && line.markup.endsWith(QLatin1String("</a>")),
              "the news line is one anchor to the news link", detail);
    const QString shownMarkup = line.markup.sliced(open.size()).chopped(4);
    FuzzCheck(!shownMarkup.contains(u'<') && !shownMarkup.contains(u'>'), "the news line's text holds no tag", detail);
    const QString shown = Unescaped(shownMarkup);
    if (whole.size() <= 200) {
        FuzzCheck(shown == whole, "a short section is shown whole", detail);
    } else {
        FuzzCheck(shown.size() <= 200 && shown.size() >= 199 && shown.endsWith(u'\u2026') &&
                      whole.startsWith(shown.chopped(1)) && !shown.chopped(1).back().isHighSurrogate(),
                  "a long section is cut to 200 characters ending in an ellipsis", detail);
    }
    const bool toolTipIsWhole = whole.isEmpty() ? line.toolTip.isEmpty()
                                                : line.toolTip.startsWith(QLatin1String("<p>")) &&
                                                      line.toolTip.endsWith(QLatin1String("</p>")) &&
                                                      Unescaped(line.toolTip.sliced(3).chopped(4)) == whole &&
                                                      line.toolTip.count(u'<') == 2;
    FuzzCheck(toolTipIsWhole, "the tooltip is the whole section as escaped text",
              [&]() -> QString { return language + u' ' + Shown(line.toolTip); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The piece sizes come from the input's end, the body is the rest.
    QList<qsizetype> pieceSizes(input.ConsumeIntegralInRange<int>(0, 16));
    for (qsizetype &piece : pieceSizes) {
        piece = input.ConsumeIntegralInRange<qsizetype>(0, 40);
    }
    const std::vector<std::uint8_t> rest = input.ConsumeRemainingBytes<std::uint8_t>();
    const QByteArray body(reinterpret_cast<const char *>(rest.data()), static_cast<qsizetype>(rest.size()));
    QList<qsizetype> pieces;
    qsizetype left = body.size();
    for (const qsizetype piece : pieceSizes) {
        pieces.append(std::min(piece, left));
        left -= pieces.constLast();
    }

    QStringList texts;
    for (const ReplyMode &mode : Modes) {
        const QString text = CheckDecoding(mode, body, pieces);
        if (texts.contains(text)) {
            continue; // most modes read most bodies alike
        }
        texts.append(text);
        CheckUpdateFile(text);
        for (const char *language : {"en", "fr", "es", "it"}) {
            CheckNewsLine(text, QLatin1String(language));
        }
    }
    return 0;
}
