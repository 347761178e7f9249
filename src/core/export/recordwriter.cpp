#include "core/export/recordwriter.h"

#include "core/export/exportline.h"
#include "core/export/exportselection.h"
#include "core/util/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

namespace {

// Lines are encoded and handed to the file in chunks of about this many characters, so a large
// export never holds the whole text twice. Chunks end at line ends, never inside a character.
constexpr qsizetype ChunkChars = 1 << 20;

ExportResult WriteFailure(const QFileDevice &file, const QString &path) {
    return ExportResult::failure(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

} // namespace

ExportResult SaveRecords(const ExportSource &source, const QString &AFileName, bool All, const QString &exportFields,
                         const QString &delimiter) {
    const ExportSelection selection = SelectForExport(source, AFileName, All, exportFields);
    if (!selection.refusal) {
        return selection.refusal;
    }
    const QList<int> &columns = selection.columns;
    const std::vector<bool> &selected = selection.rows;

    // The new file replaces the old one whole. A folder where the user may replace the file but
    // not create one (a shared export folder) leaves no room for the temporary file: the existing
    // file is then written in place. QSaveFile does so when the folder denies access; an
    // immutable folder refuses with another error, which gets the same treatment.
    QSaveFile saveFile(AFileName);
    saveFile.setDirectWriteFallback(true);
    QFile inPlace(AFileName);
    QFileDevice *device = &saveFile;
    if (!saveFile.open(QIODevice::WriteOnly)) {
        if (!QFileInfo(AFileName).isFile() || !inPlace.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return WriteFailure(saveFile, AFileName);
        }
        device = &inPlace;
    }
    QFileDevice &file = *device;
    const auto finish = [&] {
        if (device == &saveFile) {
            return saveFile.commit();
        }
        inPlace.close();
        return inPlace.error() == QFileDevice::NoError;
    };
    const CodePage codePage = CodePage::current();
    const QString lineEnd = QStringLiteral("\r\n");
    QString text;
    text.reserve(ChunkChars + 4096);
    const auto flushText = [&]() {
        const bool written = file.write(codePage.encode(text)) >= 0;
        text.resize(0); // keeps the buffer for the next chunk
        return written;
    };

    bool first = true;
    for (const int column : columns) {
        AppendExportField(text, source.captions[column], delimiter, first);
        first = false;
    }
    text += lineEnd;
    for (qsizetype row = 0; row < source.rows.size(); ++row) {
        if (!selected[static_cast<std::size_t>(row)]) {
            continue;
        }
        const LeadRow lead = source.rows.row(row);
        first = true;
        for (const int column : columns) {
            AppendExportField(text, lead[column], delimiter, first);
            first = false;
        }
        text += lineEnd;
        if (text.size() >= ChunkChars && !flushText()) {
            return WriteFailure(file, AFileName);
        }
    }
    if (!flushText() || !finish()) {
        return WriteFailure(file, AFileName);
    }
    return ExportResult::success();
}
