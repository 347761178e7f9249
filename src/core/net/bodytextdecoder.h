#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <optional>

// Decodes a reply body piece by piece as it arrives, by the rules of DecodeBody and to exactly
// the text DecodeBody gives for the whole body, so a large reply costs no long pause at its
// end. A character whose bytes are split between pieces is decoded once its last byte is there.
class BodyTextDecoder {
public:
    // utf8 and contentType as for DecodeBody.
    BodyTextDecoder(bool utf8, const QByteArray &contentType);

    BodyTextDecoder(const BodyTextDecoder &) = delete;
    BodyTextDecoder &operator=(const BodyTextDecoder &) = delete;

    // Room for this many characters, so a long text grows without being copied.
    void Reserve(qsizetype characters) { m_text.reserve(characters); }
    void Append(QByteArrayView bytes);
    // The text of everything appended. The decoder is spent afterwards.
    QString Finish();

private:
    void UseCodePage(const QByteArray &name);
    void AppendUtf8(QByteArrayView bytes);

    // Any encoding but UTF-8 keeps its state in a converter. UTF-8 is cut into whole characters
    // here instead: Qt's converter loses the byte behind a bad sequence cut between two pieces.
    std::optional<QStringDecoder> m_decoder;
    // UTF-8 as a converter reads it (a character cut short by the end of the body is dropped)
    // rather than as QString::fromUtf8 does (it becomes U+FFFD).
    bool m_utf8AsConverter = false;
    bool m_keepInitialMark = false; // a byte-order mark at the very start is a character
    QByteArray m_pending;           // the first bytes of a UTF-8 character whose rest is to come
    bool m_atStart = true;          // nothing decoded yet
    QString m_text;
};
