#include "core/util/textcursor.h"

#include <algorithm>
#include <utility>

namespace {

bool IsAsciiLower(char16_t c) {
    return c >= u'a' && c <= u'z';
}

QString Fold(QStringView text) {
    QString folded(text.size(), Qt::Uninitialized);
    std::transform(text.utf16(), text.utf16() + text.size(), reinterpret_cast<char16_t *>(folded.data()),
                   [](char16_t c) { return IsAsciiLower(c) ? static_cast<char16_t>(c - (u'a' - u'A')) : c; });
    return folded;
}

// Returns text itself (shared, no copy) when it holds no lower-case ASCII letter.
QString FoldedCopy(const QString &text) {
    const bool hasLower = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return IsAsciiLower(c.unicode()); });
    return hasLower ? Fold(text) : text;
}

} // namespace

QString AsciiUpper(QStringView text) {
    return Fold(text);
}

TextCursor::TextCursor(QString text) : m_text(std::move(text)), m_folded(FoldedCopy(m_text)) {}

QStringView TextCursor::remaining() const {
    return QStringView(m_text).sliced(m_pos);
}

qsizetype TextCursor::size() const {
    return m_text.size() - m_pos;
}

bool TextCursor::contains(QStringView text) const {
    if (text.isEmpty()) {
        return true;
    }
    return find(text, false) >= 0;
}

qsizetype TextCursor::indexOfFolded(QStringView marker) const {
    if (marker.isEmpty() || isEmpty()) {
        return -1;
    }
    return find(AsciiUpper(marker), true);
}

qsizetype TextCursor::find(QStringView marker, bool folded) const {
    for (Sighting &sighting : m_sightings) {
        if (sighting.folded != folded || sighting.marker.isEmpty() || sighting.marker != marker) {
            continue;
        }
        if (sighting.at < 0) {
            return -1;
        }
        if (sighting.at >= m_pos) {
            return sighting.at - m_pos;
        }
        const qsizetype found = QStringView(folded ? m_folded : m_text).sliced(m_pos).indexOf(marker);
        sighting.at = found < 0 ? -1 : m_pos + found;
        return found;
    }
    const qsizetype found = QStringView(folded ? m_folded : m_text).sliced(m_pos).indexOf(marker);
    m_sightings[m_nextSlot] = Sighting{marker.toString(), folded, found < 0 ? -1 : m_pos + found};
    m_nextSlot = (m_nextSlot + 1) % SightingSlots;
    return found;
}

void TextCursor::advance(qsizetype n) {
    m_pos += std::clamp<qsizetype>(n, 0, size());
}

QString CutBetween(QStringView startMarker, QStringView endMarker, int offset, TextCursor &buffer) {
    const qsizetype start = buffer.indexOfFolded(startMarker);
    if (start < 0) {
        return {};
    }
    // Positions below the front of the buffer count as its front: a cut never moves backwards.
    buffer.advance(start + startMarker.size() + offset);
    const qsizetype end = buffer.indexOfFolded(endMarker);
    QString result;
    if (end > 0) {
        result = buffer.remaining().first(end).toString();
    }
    // Not found counts as position 0 before the front, so offset - 1 characters are dropped.
    buffer.advance((end < 0 ? -1 : end) + offset);
    return result;
}
