#include "core/extraction/runstatusline.h"

#include "core/app/statussink.h"
#include "core/settings/uitexts.h"

#include <QDir>
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

void RunStatusLine::Waiting() {
    Show(Shown::Waiting);
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
    m_shown = Shown::Countdown;
    m_pauseMs = milliseconds;
    m_pauseClock.start();
    ShowCountdown();
    m_countdown.start();
}

void RunStatusLine::Stopped() {
    Show(Shown::Stopped);
}

void RunStatusLine::WaitingForCards() {
    Show(Shown::WaitingForCards);
}

void RunStatusLine::NoReadableCards() {
    Show(Shown::NoReadableCards);
}

void RunStatusLine::BudgetPaused(const QString &text) {
    m_budgetText = text;
    Show(Shown::BudgetPaused);
}

void RunStatusLine::StoppedAtChallenge() {
    Show(Shown::StoppedAtChallenge);
}

void RunStatusLine::Finished(const QString &exportFile) {
    m_exportFile = exportFile;
    Show(Shown::Finished);
}

void RunStatusLine::Refresh() const {
    if (m_shown != Shown::Countdown) {
        Render();
    }
}

void RunStatusLine::ShowPage() {
    Show(Shown::Page);
}

void RunStatusLine::Show(Shown shown) {
    m_countdown.stop();
    m_shown = shown;
    Render();
}

void RunStatusLine::Render() const {
    const auto number = [](int value) {
        return QString::number(value);
    };
    QString text;
    QString toolTip;
    switch (m_shown) {
    case Shown::Nothing:
    case Shown::Countdown:
        return;
    case Shown::Waiting: {
        // The pane may show anything but a company search: the line says how to get one.
        const QString waiting = m_texts.text(QStringLiteral("main111"));
        const QString how = m_texts.format(QStringLiteral("main156"), waiting);
        text = how.isEmpty() ? waiting : how;
        break;
    }
    case Shown::WaitingForCards:
        text = m_texts.text(QStringLiteral("main205"));
        break;
    case Shown::NoReadableCards:
        text = m_texts.text(QStringLiteral("main206"));
        break;
    case Shown::Page:
        text = m_texts.format(QStringLiteral("main112"), {number(m_pages), number(m_pageRows)});
        break;
    case Shown::BudgetPaused:
        text = m_budgetText;
        break;
    case Shown::StoppedAtChallenge:
        text = m_texts.text(QStringLiteral("main204"));
        break;
    case Shown::Stopped:
        text = m_texts.format(QStringLiteral("main160"), number(m_rows));
        break;
    case Shown::Finished: {
        QStringList parts{m_texts.format(QStringLiteral("main115"), {number(m_rows), number(m_pages)}),
                          m_texts.format(QStringLiteral("main116"),
                                         {number(m_failures[0]), number(m_failures[1]), number(m_failures[2])})};
        // The folder is what a user looks for; the file's whole path shows on hovering.
        if (!m_exportFile.isEmpty()) {
            const QString folder = QFileInfo(m_exportFile).absolutePath();
            const QString home = QDir::homePath();
            const bool inHome = folder == home || folder.startsWith(home + u'/');
            parts.append(m_texts.format(QStringLiteral("main117"), inHome ? u'~' + folder.mid(home.size()) : folder));
            toolTip = m_exportFile;
        }
        if (!m_lastFailure.isEmpty()) {
            toolTip =
                QStringList{toolTip, m_texts.format(QStringLiteral("main155"), m_lastFailure)}.join(u'\n').trimmed();
        }
        text = parts.join(u' ');
        break;
    }
    }
    m_status.setPanelText(StatusSink::RunPanel, m_prefix + text);
    m_status.setPanelToolTip(StatusSink::RunPanel, toolTip);
}

// Whole seconds left, rounded up: the line never reads 0 while the wait goes on.
void RunStatusLine::ShowCountdown() {
    const qint64 left = m_pauseMs - m_pauseClock.elapsed();
    const qint64 seconds = std::max<qint64>((left + 999) / 1000, 1);
    m_status.setPanelText(StatusSink::RunPanel,
                          m_prefix + m_texts.format(QStringLiteral("main113"), QString::number(seconds)));
    if (left <= 0) {
        m_countdown.stop();
    }
}

void RunStatusLine::setPrefix(const QString &prefix) {
    m_prefix = prefix;
    Refresh();
}
