#include "core/util/textfile.h"

#include "core/util/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

QStringList SplitLines(QStringView text) {
    QStringList lines;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(lineStart, i - lineStart).toString());
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        lineStart = i + 1;
    }
    if (lineStart < text.size())
        lines.append(text.sliced(lineStart).toString());
    return lines;
}

QString JoinLinesCrLf(const QStringList &lines) {
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += u"\r\n"_s;
    }
    return text;
}

TextFileReadResult TextFile::read(const QString &path) {
    TextFileReadResult result;
    QFile file(path);
    if (!file.exists()) {
        result.status = TextFileReadResult::Status::Missing;
        result.errorString = u"The file %1 does not exist."_s.arg(path);
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = TextFileReadResult::Status::Unreadable;
        result.errorString = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = TextFileReadResult::Status::Unreadable;
        result.errorString = file.errorString();
        return result;
    }
    result.status = TextFileReadResult::Status::Ok;
    result.text = JoinLinesCrLf(SplitLines(CodePage::current().decodeFile(bytes)));
    return result;
}

TextFileWriteResult TextFile::writeLines(const QString &path, const QStringList &lines, Access access) {
    TextFileWriteResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.errorString = file.errorString();
        return result;
    }
    // Set on the temporary file before any byte is written, so the content is never readable
    // by others, not even for a moment.
    if (access == Access::OwnerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        result.errorString = file.errorString();
        file.cancelWriting();
        return result;
    }
    const QByteArray bytes = CodePage::current().encode(JoinLinesCrLf(lines));
    if (file.write(bytes) != bytes.size()) {
        result.errorString = file.errorString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.errorString = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}
