#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

// A working copy of a text that cuts consume from the front. A cut moves a position instead of
// copying the rest of the text, and marker searches run on an ASCII-upper-cased copy built once
// with the cursor and shared between its copies, so walking a page costs linear time. Copying a
// cursor is cheap: assigning a page's cursor to another rewinds it to the whole page.
class TextCursor {
public:
    TextCursor() = default;
    explicit TextCursor(QString text);

    // The text not consumed yet.
    QStringView remaining() const;
    QString toString() const { return remaining().toString(); }
    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }

    // Exact-case test on the remaining text.
    bool contains(QStringView text) const;
    // Position of the first occurrence of marker in the remaining text, ASCII letters folded
    // to upper case on both sides; -1 when absent (an empty marker is never found).
    qsizetype indexOfFolded(QStringView marker) const;
    // Drops n characters from the front (clamped to the remaining size; n below 0 drops none).
    void advance(qsizetype n);

private:
    // The text only ever loses its front, so an occurrence found ahead of the front stays the
    // next one, and a marker that is absent stays absent. Remembering the last few answers keeps
    // loops that test the same markers again and again linear, whatever the page holds.
    struct Sighting {
        QString marker; // folded for folded searches; empty: the slot is unused
        bool folded = false;
        qsizetype at = -1; // absolute position of the occurrence, -1 when there is none
    };
    static constexpr std::size_t SightingSlots = 8;

    qsizetype find(QStringView marker, bool folded) const;

    QString m_text;
    QString m_folded; // same length as m_text; implicitly shared by copies of the cursor
    qsizetype m_pos = 0;
    mutable std::array<Sighting, SightingSlots> m_sightings;
    mutable std::size_t m_nextSlot = 0;
};

// Cuts the text between startMarker and the first endMarker behind it out of buffer, markers
// found ignoring the case of ASCII letters:
// - start marker absent (or empty, or buffer empty): returns empty text, buffer unchanged;
// - otherwise the buffer first loses everything up to offset characters behind the start
//   marker, then the text in front of the end marker is returned and the buffer keeps
//   everything from offset characters behind the start of the end marker (with offset 0 the
//   end marker stays at the front, so a following cut can start from it);
// - end marker absent: empty result, the buffer begins offset - 1 characters behind the start
//   marker (never before it).
// The buffer only ever loses text at its front.
QString CutBetween(QStringView startMarker, QStringView endMarker, int offset, TextCursor &buffer);

// Trims (every character with a code of 32 or less), strips the handful of tags and entities
// that company names and JSON values carry, in a fixed order with one pass each, and trims again.
QString HtmlToText(const QString &text);

// Removes every character with a code of 32 or less (spaces and control characters) from both
// ends; unlike QString::trimmed(), Unicode spaces stay.
QString TrimControls(const QString &text);

// Splits text at every occurrence of delimiter (exact case) into list, which is cleared first.
// An empty delimiter is never found; an empty text gives one empty piece.
void SplitText(const QString &text, const QString &delimiter, QStringList &list);

// ASCII-only case folding: "a" to "z" become upper case, every other character stays.
QString AsciiUpper(QStringView text);
