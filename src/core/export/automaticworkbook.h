#pragma once

#include "core/export/exportresult.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

// The Excel workbook of one run's automatic export, kept beside the run's CSV file (its twin).
// The twin is appended row by row as in CSV mode and stays the record that survives a crash;
// the workbook is rewritten whole from the run's rows, at most every RewriteIntervalMs while
// rows arrive, and once more when the run ends. A rewrite takes time in the window's thread,
// so the pause after one is also at least RewriteCostFactor times as long as it took.
class AutomaticWorkbook {
public:
    static constexpr qint64 RewriteIntervalMs = 5000;
    static constexpr qint64 RewriteCostFactor = 10;

    // The workbook's path for a twin: the same name ending in ".xlsx" instead of ".csv".
    static QString WorkbookPath(const QString &csvPath);

    // Called before a row is appended to the twin at csvPath. A twin the workbook does not know
    // yet starts a new workbook; its rows already on disk (a run started in the same second as
    // the last one shares its file) are read back in the current code page.
    void open(const QString &csvPath, const QStringList &captions, const QString &delimiter);
    // Takes one export line that reached the twin.
    void add(const QString &line);
    // Rewrites the workbook when rows are waiting and the pause after the last rewrite is over.
    ExportResult writeIfDue();
    // Rewrites the workbook with every waiting row and forgets the run.
    ExportResult finish();

    qsizetype rowCount() const { return m_rows.size(); }

private:
    ExportResult write();

    QString m_csvPath;
    QString m_delimiter;
    QStringList m_captions;
    QList<QStringList> m_rows;
    QElapsedTimer m_sinceWrite;
    qint64 m_pauseMs = RewriteIntervalMs;
    bool m_pending = false;
};
