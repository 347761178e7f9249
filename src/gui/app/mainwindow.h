#pragma once

#include "core/app/appcontext.h"
#include "core/async/stoptoken.h"
#include "core/async/tasktracker.h"
#include "core/net/clockrandomsource.h"
#include "core/net/httpclient.h"
#include "gui/app/widgetdialogs.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <qcoro/qcorotask.h>

#include <memory>

class BrowserPane;
class BrowserProfile;
class BrowserTab;
class Downloader;
class ExtractionDriver;
class QAction;
class UpdateCheck;
class Host;
class JournalSession;
class LibrarySession;
class LibraryTab;
class MainStatusBar;
class NewsTab;
class QComboBox;
class QLabel;
class QueueDialog;
class QueueRunner;
class QPushButton;
class QSplitter;
class QTabWidget;
class ResultsJournal;
class ResultsList;
class PageBudget;
class ResultsView;
class SignedInPageReader;

// The program's window: the run's commands, the tabs (BrowserTab, NewsTab, LibraryTab), the results list with
// its buttons and the status bar. It owns everything the run shares for the life of the process.
//
// The window never waits: its work that waits (the run, the news, the start-up, the update
// check, an export) runs as coroutines. Closing ends all of them at once, and the window closes
// only when none is left, so none outlives what it refers to.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    struct Options {
        Endpoints endpoints;
        // Where both browser panes keep their cookies and cache; owned by the caller.
        BrowserProfile *browserProfile = nullptr;
        // The folder holding languages/; empty means the executable's folder.
        QString executableFolder;
        // How the HTTP client checks certificates.
        TlsOptions tls;
        // The configuration file as read, and where it lies: a fault of it is said once shown.
        ConfigFile config;
        QString configPath;
        // Where the results list is journalled; empty keeps its rows in memory only.
        QString journalFile;
        // A file of searches, one a line, run as the queue once the window shows; empty for none.
        QString queueFile;
    };

    MainWindow(Host &host, Options options, QWidget *parent = nullptr);
    ~MainWindow() override;

    AppContext &context() { return *m_context; }
    ResultsList &results() { return *m_results; }
    // The results list's journal, or null when the window keeps no journal.
    ResultsJournal *journal() const;
    BrowserPane &mainPane();
    BrowserPane &newsPane();
    LibraryTab &libraryTab() { return *m_libraryTab; }
    MainStatusBar &statusBarPanels() { return *m_statusBar; }
    Downloader &downloader() { return *m_downloader; }
    ExtractionDriver &extraction() { return *m_driver; }
    QString settingsPath() const { return m_settingsPath; }

    // Applies the language file of code to the window, the UiTexts and the news line; a missing
    // or empty file changes nothing. In place of a damaged one English is applied: the text
    // saying so is returned, or empty.
    QString LoadLanguage(const QString &code);
    void cbxLanguageChange(int index);
    void btnSettingsClick();
    void btnStartClick();
    void btnStopClick();
    void tmrParseTimer();
    void btnExportAllClick();
    // The queue of searches: its dialog, and running it.
    void btnQueueClick();
    void RunQueue();
    QueueRunner *queue() const { return m_queue.get(); }
    QueueDialog *queueDialog() const { return m_queueDialog; }
    // The browser pane's loading progress, shown in the gauge by the Browser tab.
    void ewbMainProgressChange(qint64 progress, qint64 progressMax);
    // List buttons.
    void btnRSelectAllClick();
    void btnRClearSelectionClick();
    void btnRDeleteClick();
    void btnRDeleteAllClick();
    void btnOpenWebsiteClick();
    void btnOpenMapsClick();
    void btnOpenDetailsClick();
    // Fetches again what failed for the entries' rows, as a run does (mainwindowcompletion.cpp).
    void completeFailedRows(QList<LibraryEntry> entries);
    // The results list's action: completes the selected rows that the library marks as failed.
    void actCompleteFailedRowsClick();
    // Links to the publisher and updates.
    void btnHelpClick();
    void btnUpdatesClick();
    QCoro::Task<> DownloadApplicationUpdates(bool Silent);

    // Nothing the window started is still under way.
    bool isIdle() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FitWindowToScreen();
    void tmrDeferredStartTimer();
    // Once the window is on screen: what start-up has to say, then the journal's question.
    void StartSession();
    // Once the start page is asked for: the queue of the command line, or the question about an
    // unfinished one.
    void StartQueue();
    void MakeQueue(const QString &dataFolder);
    QCoro::Task<> DeferredStart();
    // Opens address in the user's browser and says when the desktop could not; the window goes
    // on meanwhile, and closing it ends the wait.
    void OpenInBrowser(const QString &address);
    // Ends every wait of the window and its run at once.
    void Shutdown();
    void refreshExportedCounter();
    QWidget *buildCommandPanel();
    QWidget *buildResultsArea();
    QWidget *buildButtonBar();
    void connectHandlers();

    Host &m_host;
    WidgetDialogs m_dialogs;
    ConfigFile m_config;
    QString m_configPath;
    MainStatusBar *m_statusBar = nullptr;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<ResultsList> m_results;
    // Declared after the list it follows, so it goes first.
    std::unique_ptr<JournalSession> m_journal;
    std::unique_ptr<LibrarySession> m_library;
    // Said in warnings once the window is on screen.
    QStringList m_startNotices;
    std::unique_ptr<Downloader> m_downloader;
    ClockRandomSource m_random;
    QString m_executableFolder;
    QString m_settingsPath;
    QString m_journalFile;
    std::unique_ptr<BrowserTab> m_browserTab;
    std::unique_ptr<NewsTab> m_newsTab;
    // A page of the tabs; it goes with the view of the results list.
    LibraryTab *m_libraryTab = nullptr;
    // The member's signed-in pages a run of today's layout reads, out of sight.
    std::unique_ptr<SignedInPageReader> m_signedIn;
    // LinkedIn page reads across runs and restarts; made once the data folder is known.
    std::unique_ptr<PageBudget> m_pageBudget;
    QTimer m_tmrDeferredStart;
    bool m_shownOnce = false;
    // The run uses the panes, the client and the list: it is declared after them, so it goes first.
    QTimer m_tmrParse;
    std::unique_ptr<ExtractionDriver> m_driver;
    std::unique_ptr<UpdateCheck> m_updateCheck;
    // Drives the driver: declared after it, so it goes first.
    std::unique_ptr<QueueRunner> m_queue;
    QueueDialog *m_queueDialog = nullptr;
    QString m_queueFile;
    // The window's own coroutines, and what ends their waits when the window closes.
    TaskTracker m_tasks;
    StopToken m_closing = StopToken::Create();
    // Since the first close that had to wait for work under way.
    QElapsedTimer m_closeWait;

    // Command panel.
    QLabel *m_lblCurrentLanguage = nullptr;
    QComboBox *m_cbxLanguage = nullptr;
    QPushButton *m_btnStart = nullptr;
    QPushButton *m_btnStop = nullptr;
    QPushButton *m_btnQueue = nullptr;
    QPushButton *m_btnSettings = nullptr;
    QPushButton *m_btnUpdates = nullptr;
    QPushButton *m_btnHelp = nullptr;
    // Pages and results.
    QTabWidget *m_pgcMain = nullptr;
    QSplitter *m_splitter = nullptr;
    QLabel *m_panResultsHeader = nullptr;
    ResultsView *m_lvwItems = nullptr;
    // Button bar.
    QPushButton *m_btnRSelectAll = nullptr;
    QPushButton *m_btnRClearSelection = nullptr;
    QPushButton *m_btnRDelete = nullptr;
    QPushButton *m_btnRDeleteAll = nullptr;
    QPushButton *m_btnExportAll = nullptr;
    QPushButton *m_btnOpenWebsite = nullptr;
    QPushButton *m_btnOpenMaps = nullptr;
    QPushButton *m_btnOpenDetails = nullptr;
    QAction *m_actCompleteFailed = nullptr; // in the results list's context menu
};
