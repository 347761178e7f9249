#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// What reading a text file gave: the text, or why there is none.
struct TextFileReadResult {
    enum class Status {
        Ok,
        Missing,   // no such file
        Unreadable // the file exists but could not be opened or read
    };
    Status status = Status::Missing;
    // The file's lines, each followed by CR LF.
    QString text;
    QString errorString;

    bool ok() const { return status == Status::Ok; }
};

struct TextFileWriteResult {
    bool ok = false;
    QString errorString;
};

// Text files as the program keeps them: in the current code page (see CodePage), every line
// followed by CR LF.
class TextFile {
public:
    enum class Access {
        Default,  // the permissions the user's umask gives a new file
        OwnerOnly // readable and writable by the owner only (0600)
    };

    // Reads the whole file. CR, LF and CR LF all end a line; the lines are joined back with CR LF
    // after each, so the text ends with CR LF unless it is empty.
    static TextFileReadResult read(const QString &path);
    // Replaces the file atomically: the lines go to a temporary file in the same folder, which
    // is then renamed over the file, so a failure never leaves a partly written file behind.
    static TextFileWriteResult writeLines(const QString &path, const QStringList &lines,
                                          Access access = Access::Default);
};

// The lines of text: CR, LF and CR LF end a line, and a line break at the very end adds no
// empty line ("" gives no line at all).
QStringList SplitLines(QStringView text);

// The lines joined with CR LF after each.
QString JoinLinesCrLf(const QStringList &lines);
