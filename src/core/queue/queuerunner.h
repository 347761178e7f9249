#pragma once

#include "core/async/completion.h"
#include "core/async/stoptoken.h"
#include "core/extraction/extractiondriver.h"
#include "core/queue/queuefile.h"
#include "core/queue/searchqueue.h"

#include <qcoro/qcorotask.h>

class BrowserPane;
class LeadLibrary;
class RandomSource;
class StatusSink;
class UiTexts;
struct AppSettings;
struct RunState;

// Runs a queue of searches one after the other, each as Get Data runs it: the pane opens the
// search, the driver runs it with automatic export to the search's own file, and a random pause
// of about eQueuePause seconds comes before the next search.
//
// The queue file is saved at every step, so a queue cut short by a close, a crash or a kill
// goes on at the search in progress. A search's run starts with its export file removed: the
// run lists the search from its first page again. With "leave out companies already in the
// library" on, the companies filed before are not fetched again, so their rows stay in the file,
// which the run appends to; the file's companies are made known to the library first, since a
// kill may have taken the library's last beat but not the file's rows. A run that ends other
// than at its last page (Stop, a challenge, a failure) stops the queue, which waits for the user.
class QueueRunner {
public:
    struct Pieces {
        BrowserPane &pane;
        ExtractionDriver &driver;
        RunState &run;
        const AppSettings &settings;
        const UiTexts &texts;
        StatusSink &status;
        RandomSource &random;
        LeadLibrary &library;
    };

    // path: the queue file; empty keeps the queue in memory only.
    QueueRunner(Pieces pieces, const QString &path);
    QueueRunner(const QueueRunner &) = delete;
    QueueRunner &operator=(const QueueRunner &) = delete;

    const SearchQueue &queue() const { return m_queue; }
    // Puts a new queue in place of the stored one, with a fresh time stamp; refused while running.
    bool replaceQueue(SearchQueue queue);
    bool isRunning() const { return m_running; }
    // Searches remain and the queue may be run.
    bool hasUnfinished() const { return !m_queue.isEmpty() && !m_queue.finished(); }

    // Runs from the first search not done until the queue is done or stops.
    QCoro::Task<> Run();
    // What the window's run-ended handler reports: how the driver's last run ended.
    void runEnded(ExtractionDriver::RunEnd how);
    // The window closes: the queue ends where it stands and stays in its file for the next start.
    void Shutdown();

    // Milliseconds a second of eQueuePause lasts, and how long the pane may take to open a search.
    void setTimings(int secondMs, int navigationTimeoutMs);

private:
    QCoro::Task<bool> RunSearch(qsizetype index);
    QCoro::Task<bool> OpenSearch(const QString &address);
    QCoro::Task<bool> PauseBeforeNext();
    void RemoveExportFiles(const QueuedSearch &search) const;
    // The companies of a kept export file, known to the library and noted as exported to it.
    void NoteKeptRows(const QueuedSearch &search, const QString &csvPath) const;
    void Save();
    void Finish();

    Pieces m_pieces;
    QueueFile m_file;
    SearchQueue m_queue;
    bool m_running = false;
    bool m_closing = false;
    // Requested by a stop of a run or the window's close: ends the queue's own waits too.
    StopToken m_stop = StopToken::Create();
    std::optional<Completion<ExtractionDriver::RunEnd>> m_runEnd;
    int m_secondMs = 1000;
    int m_navigationTimeoutMs = 30000;
};
