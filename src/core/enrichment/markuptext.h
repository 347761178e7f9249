#pragma once

#include <QString>
#include <QStringView>

// Plain scans of HTML markup, each linear in the length of its input.

// The text a reader sees: tags and comments removed (a "<" that starts no tag stays text; a tag
// left open drops the rest), character references decoded, runs of white space collapsed to one
// space and the ends trimmed.
QString MarkupToPlainText(QStringView markup);

// Decodes numeric character references and the common named ones; an unknown or unterminated
// reference stays as written.
QString DecodeCharacterReferences(QStringView text);

// The decoded value of the named attribute in a start tag ("<a class=x href='/y'>"); empty when
// the tag has no such attribute. Names compare without regard to ASCII case.
QString AttributeValue(QStringView startTag, QStringView name);

// Where the start tag beginning at from ends: the index just behind its ">", quoted attribute
// values skipped; the markup's size when the tag is never closed.
qsizetype StartTagEnd(QStringView markup, qsizetype from);
