#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// A working copy of a text that cuts consume from the front. A cut moves a position instead of
// copying the rest of the text, and marker searches run on an ASCII-upper-cased copy built once
// and shared between copies of the cursor, so walking a page costs linear time. Copying a
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
    // Drops n characters from the front (clamped to the remaining size).
    void advance(qsizetype n);

private:
    QString m_text;
    mutable QString m_folded; // built on the first folded search
    qsizetype m_pos = 0;
};

// Cuts the text between startMarker and the first endMarker after it out of buffer; see the
// implementation for the exact rules. Markers are found ignoring the case of ASCII letters.
QString CutBetween(QStringView startMarker, QStringView endMarker, int offset, TextCursor &buffer);

// Trims, strips the handful of tags and entities that company names and JSON values carry,
// and trims again.
QString HtmlToText(const QString &text);

// Splits text at every occurrence of delimiter (exact case) into list, which is cleared first.
void SplitText(const QString &text, const QString &delimiter, QStringList &list);

// ASCII-only case folding: "a" to "z" become upper case, every other character stays.
QString AsciiUpper(QStringView text);
