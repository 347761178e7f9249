#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <utility>

// The system's 8-bit code page, which every text file of the program is read and written in.
// By default it is the code set of the user's locale; it can be set explicitly (tests, or a
// user who needs Windows-1252 files).
class CodePage {
public:
    // The code page of the user's locale, or the one set with setCurrent().
    static CodePage current();
    static void setCurrent(const CodePage &codePage);
    // Forgets an explicit setCurrent(), so current() follows the locale again.
    static void resetCurrent();
    // The code set of the user's locale; a locale that names none (C, POSIX) counts as UTF-8.
    static CodePage fromLocale();
    // A named code page ("UTF-8", "windows-1252", "ISO-8859-15", ...).
    static CodePage named(const QByteArray &name);

    QByteArray name() const { return m_name; }
    // False for a name the converter does not know; such a code page encodes and decodes as UTF-8.
    bool isValid() const;
    bool isUtf8() const;

    // Text in this code page, no byte-order mark; a character the code page cannot hold
    // becomes its replacement character ("?").
    QByteArray encode(QStringView text) const;
    // Bytes in this code page (no byte-order mark handling).
    QString decode(const QByteArray &bytes) const;
    // A file's bytes: a UTF-8 or UTF-16 byte-order mark selects that encoding, otherwise this
    // code page; where this code page is UTF-8 and the bytes are not valid UTF-8, Windows-1252.
    QString decodeFile(const QByteArray &bytes) const;

private:
    explicit CodePage(QByteArray name) : m_name(std::move(name)) {}
    QByteArray m_name;
};
