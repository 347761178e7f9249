#include "core/net/bodytextdecoder.h"

#include "core/net/bodydecoder.h"
#include "core/util/codepage.h"

#include <utility>

namespace {

constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

// Names Qt decodes with its own UTF-8 converter (the system encoding is UTF-8 on this platform).
bool IsQtUtf8(const QByteArray &name) {
    const auto encoding = QStringConverter::encodingForName(name.constData());
    return encoding == QStringConverter::Utf8 || encoding == QStringConverter::System;
}

// Where the bytes stop being whole UTF-8 characters: before a lead byte near the end whose
// character needs more bytes than follow it. A lead byte never continues another character,
// so decoding the whole body starts a character there too, and cutting there changes nothing;
// a malformed tail is decoded once the next piece or the end of the body shows all of it.
qsizetype WholeCharactersEnd(QByteArrayView bytes) {
    const qsizetype size = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<uchar>(bytes[size - back]);
        if ((byte & 0xC0) == 0x80) {
            continue; // a continuation byte: its lead is further back
        }
        if (byte < 0xC0) {
            return size; // ASCII
        }
        const qsizetype needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        return back < needed ? size - back : size;
    }
    return size;
}

} // namespace

BodyTextDecoder::BodyTextDecoder(bool utf8, const QByteArray &contentType) {
    if (utf8) {
        return;
    }
    const QByteArray charset = CharsetOf(contentType);
    if (!charset.isEmpty()) {
        if (IsQtUtf8(charset)) {
            m_utf8AsConverter = true;
            return;
        }
        m_decoder.emplace(charset.constData());
        if (m_decoder->isValid()) {
            return;
        }
        m_decoder.reset();
    }
    const CodePage codePage = CodePage::current();
    if (!codePage.isUtf8() && codePage.isValid()) {
        UseCodePage(codePage.name());
    }
}

void BodyTextDecoder::UseCodePage(const QByteArray &name) {
    // As CodePage::decode reads it.
    if (IsQtUtf8(name)) {
        m_utf8AsConverter = true;
        m_keepInitialMark = true;
        return;
    }
    m_decoder.emplace(name.constData(), QStringConverter::Flag::ConvertInitialBom);
}

void BodyTextDecoder::Append(QByteArrayView bytes) {
    if (bytes.isEmpty()) {
        return;
    }
    if (m_decoder) {
        m_text += m_decoder->decode(bytes);
    } else if (m_pending.isEmpty()) {
        AppendUtf8(bytes);
    } else {
        m_pending += bytes;
        const QByteArray joined = std::exchange(m_pending, {});
        AppendUtf8(joined);
    }
}

void BodyTextDecoder::AppendUtf8(QByteArrayView bytes) {
    const qsizetype end = WholeCharactersEnd(bytes);
    m_pending = bytes.sliced(end).toByteArray();
    QByteArrayView whole = bytes.first(end);
    if (whole.isEmpty()) {
        return;
    }
    // QString::fromUtf8 drops a byte-order mark at the start of what it is given; past the
    // start of the body a mark is a character.
    if (!m_atStart || m_keepInitialMark) {
        while (whole.startsWith(kUtf8Mark)) {
            m_text += QChar(0xFEFF);
            whole = whole.sliced(kUtf8Mark.size());
        }
    }
    m_atStart = false;
    m_text += QString::fromUtf8(whole);
}

QString BodyTextDecoder::Finish() {
    if (!m_pending.isEmpty()) {
        // A character cut short by the end of the body: never a whole byte-order mark.
        const QByteArray tail = std::exchange(m_pending, {});
        if (m_utf8AsConverter) {
            // A fresh converter marks a bad lead byte as the whole-body one does and keeps a
            // sound but unfinished character to itself.
            QStringDecoder converter(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
            m_text += converter.decode(tail);
        } else {
            m_text += QString::fromUtf8(tail);
        }
    }
    return std::move(m_text);
}
