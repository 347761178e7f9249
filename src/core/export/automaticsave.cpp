#include "core/export/automaticsave.h"

#include "core/app/statussink.h"
#include "core/export/automaticworkbook.h"
#include "core/export/cleanfilename.h"
#include "core/export/exportline.h"
#include "core/host/host.h"
#include "core/model/runstate.h"
#include "core/settings/appsettings.h"
#include "core/settings/uitexts.h"
#include "core/util/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

ExportResult Failure(const QString &path, const QString &reason) {
    return ExportResult::failure(QStringLiteral("Cannot write the export file %1: %2").arg(path, reason));
}

// Writes bytes at the end of the file at path, preceded by header when the file is new or
// empty, and closes it. One write call per row, so a reader never meets half a line that the
// writer has finished; a write that fails midway is cut off again, so the next row does not
// continue a broken line.
ExportResult AppendToFile(const QString &path, const QByteArray &header, const QByteArray &line) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        return Failure(path, file.errorString());
    }
    const qint64 sizeBefore = file.size();
    const QByteArray bytes = sizeBefore == 0 ? header + line : line;
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.resize(sizeBefore);
        file.close();
        return Failure(path, reason);
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        return Failure(path, file.errorString());
    }
    return ExportResult::success();
}

} // namespace

QString AutomaticExportPath(const QString &AFolder, const QString &ACategory, const QString &dateTimeVal) {
    return AFolder + u'/' + CleanFileName(ACategory) + u' ' + dateTimeVal + u".csv";
}

ExportResult AutomaticSave(AutomaticExportTarget target, const QStringList &captions, const QString &AFolder,
                           const QString &ACategory, const QString &ALine) {
    const QString path = AutomaticExportPath(AFolder, ACategory, target.run.DateTimeVal);
    const bool workbook = target.settings.eExportFormat == ExportFormat::Xlsx;
    const QString shownPath = workbook ? AutomaticWorkbook::WorkbookPath(path) : path;
    target.status.setPanelText(StatusSink::ActivityPanel, target.texts.text(QStringLiteral("main47")) + shownPath);

    // An empty folder would put the file at the root of the file system.
    if (AFolder.isEmpty()) {
        return Failure(path, QStringLiteral("no export folder is set"));
    }
    if (shownPath.size() > MaxExportPathLength) {
        return Failure(shownPath, QStringLiteral("the path is longer than %1 characters").arg(MaxExportPathLength));
    }

    const CodePage codePage = CodePage::current();
    const QString delimiter = target.settings.eDelimiter;
    const QString lineEnd = QStringLiteral("\r\n");
    const QByteArray header = codePage.encode(QString(ExportLine(captions, delimiter) + lineEnd));
    if (workbook) {
        target.workbook.open(path, captions, delimiter);
    }
    const ExportResult written = AppendToFile(path, header, codePage.encode(QString(ALine + lineEnd)));
    if (!written) {
        return written;
    }

    ++target.run.ExportedNum;
    target.status.setPanelText(StatusSink::ExportedPanel,
                               target.texts.format(QStringLiteral("main46"), target.run.ExportedNum));
    if (workbook) {
        target.workbook.add(ALine);
        if (const ExportResult sheet = target.workbook.writeIfDue(); !sheet) {
            target.status.setPanelText(StatusSink::ActivityPanel, sheet.errorString);
        }
    }
    return written;
}

bool ExportsAutomatically(const AppSettings &settings, const RunState &run) {
    return settings.cExportAutomatic || run.Queued.has_value();
}

QString AutomaticExportCategory(const RunState &run) {
    return run.Queued ? run.Queued->category : QStringLiteral("Results");
}

bool EnsureExportFolder(const AppSettings &settings, const RunState &run) {
    if (!ExportsAutomatically(settings, run) || settings.eExportFolder.isEmpty()) {
        return false;
    }
    return QDir().mkpath(settings.eExportFolder);
}

bool ExportFolderCanBeCreated(const QString &folder) {
    if (folder.isEmpty()) {
        return false;
    }
    const QString target = QDir::cleanPath(QDir(folder).absolutePath());
    QFileInfo existing(target);
    while (!existing.exists()) {
        const QString above = existing.absolutePath();
        if (above == existing.absoluteFilePath()) {
            return false;
        }
        existing = QFileInfo(above);
    }
    return existing.isDir() && (existing.absoluteFilePath() == target || existing.isWritable());
}

QString AutomaticExportFilePath(const AppSettings &settings, const RunState &run, const QString &AFolder,
                                const QString &ACategory) {
    const QString path = AutomaticExportPath(AFolder, ACategory, run.DateTimeVal);
    return settings.eExportFormat == ExportFormat::Xlsx ? AutomaticWorkbook::WorkbookPath(path) : path;
}

ExportResult FinishAutomaticSave(AutomaticWorkbook &workbook) {
    return workbook.finish();
}
