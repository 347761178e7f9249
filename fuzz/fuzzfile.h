#pragma once

#include "core/util/codepage.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// A folder of the process for the files the targets read and write; removed when it ends.
inline const QTemporaryDir &FuzzFolder() {
    static const QTemporaryDir folder;
    return folder;
}

inline QString FuzzFilePath(const QString &name) {
    return FuzzFolder().filePath(name);
}

// The input's first byte chooses the code page files are read and written in (the locale's
// UTF-8 or Windows-1252); the rest is the file, written under name. Returns its path.
inline QString WriteInputFile(const QString &name, const std::uint8_t *data, std::size_t size) {
    const bool windows = size > 0 && (data[0] & 1) != 0;
    CodePage::setCurrent(CodePage::named(windows ? "windows-1252" : "UTF-8"));
    const QString path = FuzzFilePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::abort(); // the folder is gone: nothing below would mean anything
    }
    if (size > 1) {
        file.write(reinterpret_cast<const char *>(data + 1), static_cast<qint64>(size - 1));
    }
    return path;
}
