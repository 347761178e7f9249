// Automatic export to an Excel workbook.
//
// A workbook is a zip archive: it cannot be appended to, and a half-written one opens as
// nothing. The promise of the automatic export, that every row handed over is on disk the
// moment it was handed over, is therefore kept by the run's CSV file, which is appended row by
// row exactly as in CSV mode. The workbook beside it is rebuilt from the run's rows into a
// temporary file and renamed over the old one: at the first row, then at most every
// RewriteIntervalMs while rows arrive (longer when a rewrite grows slow, so a large run does not
// spend more than a tenth of its time on it), and once when the run ends. After a crash the CSV file
// holds every row and the workbook every row up to its last rewrite, never a broken file.
//
// The rows are kept as the export lines were given, in memory, so the workbook holds every
// character even where the code page of the CSV file cannot. The lines are split back into
// cells by the export line format: fields in double quotes, a quote inside doubled. With an
// empty delimiter two fields read as one field holding a quote; the CSV file is unaffected.

#include "core/export/automaticworkbook.h"

#include "core/export/exportline.h"
#include "core/export/workbookwriter.h"
#include "core/util/codepage.h"

#include <QFile>

#include <algorithm>

QString AutomaticWorkbook::WorkbookPath(const QString &csvPath) {
    return (csvPath.endsWith(u".csv") ? csvPath.chopped(4) : csvPath) + u".xlsx";
}

void AutomaticWorkbook::open(const QString &csvPath, const QStringList &captions, const QString &delimiter) {
    if (csvPath == m_csvPath) {
        return;
    }
    m_csvPath = csvPath;
    m_delimiter = delimiter;
    m_captions = captions;
    m_rows.clear();
    m_sinceWrite.invalidate();
    m_pauseMs = RewriteIntervalMs;
    m_pending = false;

    QFile twin(csvPath);
    if (twin.open(QIODevice::ReadOnly)) {
        m_rows = SplitExportLines(CodePage::current().decodeFile(twin.readAll()), delimiter);
        if (!m_rows.isEmpty()) {
            m_rows.removeFirst(); // the header
        }
        m_pending = !m_rows.isEmpty();
    }
}

void AutomaticWorkbook::add(const QString &line) {
    m_rows.append(SplitExportLines(line, m_delimiter));
    m_pending = true;
}

ExportResult AutomaticWorkbook::writeIfDue() {
    if (!m_pending || (m_sinceWrite.isValid() && !m_sinceWrite.hasExpired(m_pauseMs))) {
        return ExportResult::success();
    }
    return write();
}

ExportResult AutomaticWorkbook::finish() {
    const ExportResult result = m_pending ? write() : ExportResult::success();
    *this = AutomaticWorkbook{};
    return result;
}

ExportResult AutomaticWorkbook::write() {
    QElapsedTimer took;
    took.start();
    const ExportResult result = WriteWorkbook(WorkbookPath(m_csvPath), m_captions, m_rows);
    m_pauseMs = std::max(RewriteIntervalMs, RewriteCostFactor * took.elapsed());
    // A failed rewrite is tried again after the pause rather than at the next row.
    m_sinceWrite.start();
    m_pending = !result.ok;
    return result;
}
