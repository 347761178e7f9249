#include "core/enrichment/markerscan.h"

#include <QtGlobal>

namespace {

char16_t FoldAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

bool EqualsFolded(QStringView text, QStringView marker) {
    for (qsizetype i = 0; i < marker.size(); ++i) {
        if (FoldAscii(text[i].unicode()) != FoldAscii(marker[i].unicode())) {
            return false;
        }
    }
    return true;
}

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The anchor's last character is found with the vectorised single-character search, which
// outruns a search for the whole anchor on long pages. The anchor is matched with ASCII letters
// folded: a marker found ignoring case may carry its anchor in another case.
qsizetype NextAnchor(QStringView text, QStringView anchor, qsizetype from) {
    const qsizetype tail = anchor.size() - 1;
    const QChar back = anchor.back();
    const Qt::CaseSensitivity backCase = IsAsciiLetter(back) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (qsizetype last = text.indexOf(back, from + tail, backCase); last >= 0;
         last = text.indexOf(back, last + 1, backCase)) {
        if (EqualsFolded(text.sliced(last - tail, anchor.size()), anchor)) {
            return last - tail;
        }
    }
    return -1;
}

} // namespace

MarkerScan::MarkerScan(QStringView text, std::span<const QStringView> markers, QStringView anchor)
    : m_exact(qsizetype(markers.size()), -1), m_folded(qsizetype(markers.size()), -1) {
    const qsizetype count = qsizetype(markers.size());
    QList<qsizetype> anchorOffsets(count, -1);
    qsizetype open = 0;
    for (qsizetype i = 0; i < count; ++i) {
        anchorOffsets[i] = markers[std::size_t(i)].indexOf(anchor);
        Q_ASSERT(anchorOffsets[i] >= 0);
        if (anchorOffsets[i] >= 0) {
            ++open;
        }
    }
    if (anchor.isEmpty()) {
        return;
    }
    // Anchor positions rise, so the first hit of a marker is its first occurrence.
    for (qsizetype at = NextAnchor(text, anchor, 0); at >= 0 && open > 0; at = NextAnchor(text, anchor, at + 1)) {
        for (qsizetype i = 0; i < count; ++i) {
            const QStringView marker = markers[std::size_t(i)];
            const qsizetype start = at - anchorOffsets[i];
            if (anchorOffsets[i] < 0 || start < 0 || start + marker.size() > text.size() ||
                (m_exact[i] >= 0 && m_folded[i] >= 0)) {
                continue;
            }
            const QStringView candidate = text.sliced(start, marker.size());
            if (m_folded[i] < 0 && EqualsFolded(candidate, marker)) {
                m_folded[i] = start;
            }
            if (m_exact[i] < 0 && candidate == marker) {
                m_exact[i] = start;
            }
            if (m_exact[i] >= 0 && m_folded[i] >= 0) {
                --open;
            }
        }
    }
}
