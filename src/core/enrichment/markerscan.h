#pragma once

#include <QList>
#include <QStringView>

#include <span>

// The first occurrence of each of several markers in a text, with exact case and with the case
// of ASCII letters ignored, found in one pass. Every marker must contain the anchor: the pass
// visits the anchor's occurrences only, so a page with many markers costs one walk, not one
// walk per marker (and per letter-case rule).
class MarkerScan {
public:
    MarkerScan(QStringView text, std::span<const QStringView> markers, QStringView anchor);

    // Positions from 0; -1 when the marker does not occur.
    qsizetype FirstExact(qsizetype marker) const { return m_exact.at(marker); }
    qsizetype FirstFolded(qsizetype marker) const { return m_folded.at(marker); }

private:
    QList<qsizetype> m_exact;
    QList<qsizetype> m_folded;
};
