#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

class StatusSink;
class UiTexts;

// Panel 5 of the status bar: where a run stands, in the user's language. Empty until the first
// Get Data; then waiting for a result page, the page being read with its new rows, a countdown to
// the next page, "stopped" with the rows so far, and at the end what the run found, what it could
// not fetch and the folder it exported to, with the last failure's host and reason on hovering.
class RunStatusLine {
public:
    // What a run could not fetch, as the end of the run counts it.
    enum class Failure { CompanyPage, Places, Website };

    RunStatusLine(StatusSink &status, const UiTexts &texts);

    void RunStarted();
    void Waiting();
    void PageStarted();
    void RowAdded();
    // reason: the host and why, kept for the end's tooltip when given.
    void FetchFailed(Failure failure, const QString &reason = {});
    // The wait before the next page is read, counted down second by second.
    void Pausing(int milliseconds);
    void Stopped();
    // Today's layout: its cards are still being drawn; or, after a while, none can be read.
    void WaitingForCards();
    void NoReadableCards();
    // A budget of LinkedIn pages is spent; text says until when the run waits.
    void BudgetPaused(const QString &text);
    // LinkedIn asked for something the member must do; the run stopped.
    void StoppedAtChallenge();
    // exportFile: the file automatic export wrote to in this run; empty when it wrote none.
    void Finished(const QString &exportFile);
    // Shows the line again in the texts now in force, as after a change of language.
    void Refresh() const;
    // Text put before whatever the line says; empty for none.
    void setPrefix(const QString &prefix);

    int pages() const { return m_pages; }
    int rows() const { return m_rows; }

private:
    // What the line shows; the countdown renders itself at its next step.
    enum class Shown {
        Nothing,
        Waiting,
        WaitingForCards,
        NoReadableCards,
        Page,
        Countdown,
        BudgetPaused,
        Stopped,
        StoppedAtChallenge,
        Finished
    };

    void ShowPage();
    void Show(Shown shown);
    void Render() const;
    void ShowCountdown();

    StatusSink &m_status;
    const UiTexts &m_texts;
    int m_pages = 0;
    int m_rows = 0;     // in the whole run
    int m_pageRows = 0; // on the page being read
    int m_failures[3] = {};
    Shown m_shown = Shown::Nothing;
    QString m_prefix;
    QString m_budgetText; // formatted by whoever keeps the budget
    QString m_exportFile;
    QString m_lastFailure;
    QTimer m_countdown;
    QElapsedTimer m_pauseClock;
    int m_pauseMs = 0;
};
