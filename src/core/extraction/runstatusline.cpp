#include "core/extraction/runstatusline.h"

#include "core/app/statussink.h"
#include "core/settings/uitexts.h"

#include <QFileInfo>

#include <algorithm>

RunStatusLine::RunStatusLine(StatusSink &status, const UiTexts &texts) : m_status(status), m_texts(texts) {
    m_countdown.setInterval(250);
    QObject::connect(&m_countdown, &QTimer::timeout, [this] { ShowCountdown(); });
}

void RunStatusLine::RunStarted() {
    m_pages = 0;
    m_rows = 0;
    m_pageRows = 0;
    std::fill(std::begin(m_failures), std::end(m_failures), 0);
    m_lastFailure.clear();
    m_status.setPanelToolTip(StatusSink::RunPanel, {});
}

// The pane may show anything but a company search: the line says how to get one.
void RunStatusLine::Waiting() {
    const QString waiting = m_texts.text(QStringLiteral("main111"));
    const QString how = m_texts.format(QStringLiteral("main156"), waiting);
    Show(how.isEmpty() ? waiting : how);
}

void RunStatusLine::PageStarted() {
    ++m_pages;
    m_pageRows = 0;
    ShowPage();
}

void RunStatusLine::RowAdded() {
    ++m_rows;
    ++m_pageRows;
    ShowPage();
}

void RunStatusLine::FetchFailed(Failure failure, const QString &reason) {
    ++m_failures[static_cast<int>(failure)];
    if (!reason.isEmpty()) {
        m_lastFailure = reason;
    }
}

void RunStatusLine::Pausing(int milliseconds) {
    m_pauseMs = milliseconds;
    m_pauseClock.start();
    ShowCountdown();
    m_countdown.start();
}

void RunStatusLine::Stopped() {
    Show(m_texts.text(QStringLiteral("main114")));
}

void RunStatusLine::Finished(const QString &exportFile) {
    QStringList parts{
        m_texts.format(QStringLiteral("main115"), {QString::number(m_rows), QString::number(m_pages)}),
        m_texts.format(QStringLiteral("main116"), {QString::number(m_failures[0]), QString::number(m_failures[1]),
                                                   QString::number(m_failures[2])})};
    if (!exportFile.isEmpty()) {
        parts.append(m_texts.format(QStringLiteral("main117"), QFileInfo(exportFile).fileName()));
    }
    Show(parts.join(u' '));
    m_status.setPanelToolTip(StatusSink::RunPanel, m_lastFailure.isEmpty()
                                                       ? QString()
                                                       : m_texts.format(QStringLiteral("main155"), m_lastFailure));
}

void RunStatusLine::ShowPage() {
    Show(m_texts.format(QStringLiteral("main112"), {QString::number(m_pages), QString::number(m_pageRows)}));
}

void RunStatusLine::Show(const QString &text) {
    m_countdown.stop();
    m_status.setPanelText(StatusSink::RunPanel, text);
}

// Whole seconds left, rounded up: the line never reads 0 while the wait goes on.
void RunStatusLine::ShowCountdown() {
    const qint64 left = m_pauseMs - m_pauseClock.elapsed();
    const qint64 seconds = std::max<qint64>((left + 999) / 1000, 1);
    m_status.setPanelText(StatusSink::RunPanel, m_texts.format(QStringLiteral("main113"), QString::number(seconds)));
    if (left <= 0) {
        m_countdown.stop();
    }
}
