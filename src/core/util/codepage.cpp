#include "core/util/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <langinfo.h>
#include <locale.h>
#include <optional>

namespace {

std::optional<CodePage> &explicitCodePage() {
    static std::optional<CodePage> codePage;
    return codePage;
}

bool IsUtf8Name(const QByteArray &name) {
    const QByteArray lower = name.toLower();
    return lower == "utf-8" || lower == "utf8";
}

// Names that mean plain ASCII: what a locale without a code set reports.
bool IsAsciiName(const QByteArray &name) {
    const QByteArray lower = name.toLower();
    return lower == "ansi_x3.4-1968" || lower == "ascii" || lower == "us-ascii" || lower.isEmpty();
}

// Decodes what follows the byte-order mark; a second mark is content and stays.
QString DecodeAfterMark(const QByteArray &bytes, qsizetype bomSize, QStringConverter::Encoding encoding) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes).sliced(bomSize));
}

} // namespace

CodePage CodePage::current() {
    if (explicitCodePage())
        return *explicitCodePage();
    static const CodePage localeCodePage = fromLocale();
    return localeCodePage;
}

void CodePage::setCurrent(const CodePage &codePage) {
    explicitCodePage() = codePage;
}

void CodePage::resetCurrent() {
    explicitCodePage().reset();
}

CodePage CodePage::fromLocale() {
    // A private locale object, so the process-wide locale stays as it is.
    const locale_t userLocale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (userLocale == static_cast<locale_t>(nullptr))
        return named("UTF-8");
    const QByteArray codeSet = nl_langinfo_l(CODESET, userLocale);
    freelocale(userLocale);
    if (IsAsciiName(codeSet))
        return named("UTF-8");
    const CodePage codePage = named(codeSet);
    return codePage.isValid() ? codePage : named("UTF-8");
}

CodePage CodePage::named(const QByteArray &name) {
    return CodePage(IsUtf8Name(name) ? QByteArray("UTF-8") : name);
}

bool CodePage::isValid() const {
    return isUtf8() || QStringEncoder(m_name.constData()).isValid();
}

bool CodePage::isUtf8() const {
    return IsUtf8Name(m_name);
}

QByteArray CodePage::encode(QStringView text) const {
    if (isUtf8() || !isValid())
        return text.toUtf8();
    // Emplaced, not assigned: a moved converter of this Qt version loses its error tracking.
    std::optional<QStringEncoder> encoder;
    encoder.emplace(m_name.constData(), QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder->encode(text);
    if (!encoder->hasError())
        return bytes;

    // The converter marks an unmappable character with a control byte, so a real control
    // character could not be told apart. Encode short runs again, and a run with an error one
    // character at a time, so that each character the code page cannot hold becomes "?". The
    // error flag of a converter cannot be cleared, so a failed one is replaced by a new one.
    const QByteArray replacement = QStringEncoder(m_name.constData()).encode(u"?");
    const auto encodeRun = [&](QStringView run, QByteArray &out) {
        if (encoder->hasError())
            encoder.emplace(m_name.constData(), QStringConverter::Flag::Stateless);
        const QByteArray encoded = encoder->encode(run);
        if (encoder->hasError())
            return false;
        out += encoded;
        return true;
    };
    bytes.clear();
    bytes.reserve(text.size());
    constexpr qsizetype kRunLength = 64;
    for (qsizetype runStart = 0; runStart < text.size();) {
        qsizetype runEnd = std::min(runStart + kRunLength, text.size());
        if (runEnd < text.size() && text[runEnd].isLowSurrogate())
            ++runEnd; // keep a surrogate pair together
        if (!encodeRun(text.sliced(runStart, runEnd - runStart), bytes)) {
            for (qsizetype i = runStart; i < runEnd;) {
                const bool pair = text[i].isHighSurrogate() && i + 1 < runEnd && text[i + 1].isLowSurrogate();
                const qsizetype length = pair ? 2 : 1;
                if (!encodeRun(text.sliced(i, length), bytes))
                    bytes += replacement;
                i += length;
            }
        }
        runStart = runEnd;
    }
    return bytes;
}

QString CodePage::decode(const QByteArray &bytes) const {
    if (isUtf8() || !isValid())
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(m_name.constData(), QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QString CodePage::decodeFile(const QByteArray &bytes) const {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return DecodeAfterMark(bytes, 3, QStringConverter::Utf8);
    if (bytes.startsWith("\xFF\xFE"))
        return DecodeAfterMark(bytes, 2, QStringConverter::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return DecodeAfterMark(bytes, 2, QStringConverter::Utf16BE);
    if (!isUtf8() && isValid())
        return decode(bytes);

    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Files written on Windows in its Western code page still load.
    return named("windows-1252").decode(bytes);
}
