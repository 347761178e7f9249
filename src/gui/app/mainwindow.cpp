#include "gui/app/mainwindow.h"

#include "core/account/pagebudget.h"
#include "core/app/contextpieces.h"
#include "core/app/libraryexport.h"
#include "core/export/automaticsave.h"
#include "core/extraction/extractiondriver.h"
#include "core/extraction/resultslist.h"
#include "core/host/host.h"
#include "core/host/hostservices.h"
#include "core/journal/resultsjournal.h"
#include "core/net/downloader.h"
#include "core/queue/queuerunner.h"
#include "core/settings/languagefile.h"
#include "core/updates/updatecheck.h"
#include "gui/app/browsertab.h"
#include "gui/app/journalsession.h"
#include "gui/app/librarysession.h"
#include "gui/app/mainstatusbar.h"
#include "gui/app/makebutton.h"
#include "gui/app/newstab.h"
#include "gui/app/tarnwickapplication.h"
#include "gui/browser/signedinpagereader.h"
#include "gui/browser/webenginepane.h"
#include "gui/extraction/resultsview.h"
#include "gui/library/librarytab.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int CommandPanelHeight = 89;
constexpr int ResultsAreaHeight = 177;
constexpr int ClassicWidth = 911;
constexpr int ClassicHeight = 549; // without the status bar
// The browser pane never gets shorter than this: the results list gives way first.
constexpr int MinimumPaneHeight = 200;
// How much of the screen's height the window takes at most when it opens.
constexpr int ScreenSharePercent = 85;
constexpr int ResultsHeaderHeight = 21;
constexpr int ButtonBarHeight = 42;
constexpr int StatusBarHeight = MainStatusBar::BarHeight;

} // namespace

MainWindow::MainWindow(Host &host, Options options, QWidget *parent)
    : QMainWindow(parent), m_host(host), m_dialogs(this) {
    setObjectName(QStringLiteral("frmMain"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);

    m_statusBar = new MainStatusBar(this);
    m_statusBar->setFixedHeight(StatusBarHeight);
    setStatusBar(m_statusBar);
    m_context = std::make_unique<AppContext>(host, *m_statusBar, m_dialogs, std::move(options.endpoints));
    // The built-in English messages until a language file replaces them.
    ApplyUiTexts(ReadLanguageSections(BuiltInLanguagePath(), MainWindowTags()).texts, m_context->texts);
    m_results = std::make_unique<ResultsList>(ListPiecesOf(*m_context));
    m_downloader = std::make_unique<Downloader>(m_context->settings, *m_statusBar, m_context->texts, options.tls);
    m_executableFolder =
        options.executableFolder.isEmpty() ? QCoreApplication::applicationDirPath() : options.executableFolder;
    m_journalFile = options.journalFile;
    m_queueFile = options.queueFile;
    m_config = options.config;
    m_configPath = options.configPath;
    Q_ASSERT(options.browserProfile);
    m_browserTab = std::make_unique<BrowserTab>(
        BrowserTab::Pieces{*options.browserProfile, *m_statusBar, m_context->texts, m_context->endpoints});
    m_newsTab = std::make_unique<NewsTab>(
        NewsTab::Pieces{*options.browserProfile, *m_downloader, m_context->endpoints, [this](const QString &address) {
                            OpenInBrowser(address);
                        }});
    m_signedIn = std::make_unique<SignedInPageReader>(*options.browserProfile);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildCommandPanel());
    layout->addWidget(m_browserTab->buildAddressPanel(this));

    m_pgcMain = new QTabWidget(central);
    m_pgcMain->setObjectName(QStringLiteral("pgcMain"));
    m_pgcMain->addTab(m_browserTab->page(), QStringLiteral("Browser"));
    m_pgcMain->addTab(m_newsTab->page(), QStringLiteral("News && Special Offers"));
    m_libraryTab = new LibraryTab(
        LibraryTab::Pieces{m_context->library, m_dialogs, m_context->texts,
                           [this] { return m_results->columnCaptions(); },
                           [this](ExportSource source) {
                               m_tasks.track(RunExportNotingLibrary(*m_context, std::move(source), m_closing));
                           }},
        m_pgcMain);
    m_pgcMain->addTab(m_libraryTab, QStringLiteral("Library"));
    connect(m_libraryTab, &LibraryTab::completeFailedRows, this, &MainWindow::completeFailedRows);

    m_splitter = new QSplitter(Qt::Vertical, central);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setHandleWidth(3);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_pgcMain);
    m_splitter->addWidget(buildResultsArea());
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(buildButtonBar());
    setCentralWidget(central);

    m_statusBar->setPanelText(StatusSink::ListedPanel, QStringLiteral("0 items listed"));
    m_statusBar->setPanelText(StatusSink::ExportedPanel, QStringLiteral("0 items exported"));
    m_statusBar->setPanelText(StatusSink::ProgressLabelPanel, QStringLiteral("Progress:"));

    m_tmrDeferredStart.setObjectName(QStringLiteral("tmrDeferredStart"));
    m_tmrDeferredStart.setInterval(100);
    m_tmrParse.setObjectName(QStringLiteral("tmrParse"));
    m_driver = std::make_unique<ExtractionDriver>(RunPiecesOf(*m_context), *m_results, m_browserTab->pane(),
                                                  *m_downloader, m_tmrParse, m_random);
    m_driver->parser().setSignedInPages(m_signedIn.get());
    // Rows a run listed or exported reach the disk when it ends, not a moment later.
    m_driver->setRunEndedHandler([this] {
        if (ResultsJournal *journal = this->journal()) {
            journal->flush();
        }
        if (const ExportResult workbook = FinishAutomaticSave(m_context->workbook); !workbook) {
            m_statusBar->setPanelText(StatusSink::ActivityPanel, workbook.errorString);
        }
        if (m_queue) {
            m_queue->runEnded(m_driver->lastRunEnd());
        }
    });
    // An error the application's handler drops is still said in the status line.
    if (auto *app = qobject_cast<TarnwickApplication *>(QCoreApplication::instance())) {
        connect(app, &TarnwickApplication::errorDropped, this, [this](const QString &message) {
            m_statusBar->setPanelText(StatusSink::ActivityPanel,
                                      m_context->texts.format(QStringLiteral("main142"), message));
        });
    }
    m_updateCheck = std::make_unique<UpdateCheck>(
        UpdateCheck::Pieces{*m_downloader, host, m_dialogs, m_context->texts, m_context->endpoints},
        QCoreApplication::applicationDirPath(), [this] { close(); });

    connectHandlers();
    // The classic proportions, opened taller where the screen has room; the browser pane takes
    // the extra height and the results list keeps its own.
    int height = ClassicHeight + StatusBarHeight;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        height = std::max(height, screen->availableGeometry().height() * ScreenSharePercent / 100);
    }
    m_pgcMain->setMinimumHeight(MinimumPaneHeight);
    resize(ClassicWidth, height);
    const int fixedParts = CommandPanelHeight + BrowserTab::AddressPanelHeight + ButtonBarHeight + StatusBarHeight + 3;
    m_splitter->setSizes({height - fixedParts - ResultsAreaHeight, ResultsAreaHeight});
    FormCreate();
}

MainWindow::~MainWindow() {
    // Closing normally waits for the window's work to end; a window destroyed without closing
    // (the program quits) ends it here, while everything it refers to still exists.
    Shutdown();
    // The views show the results list's model and the library: they go before either does.
    delete m_lvwItems;
    m_lvwItems = nullptr;
    delete m_libraryTab;
    m_libraryTab = nullptr;
}

ResultsJournal *MainWindow::journal() const {
    return m_journal ? m_journal->journal() : nullptr;
}

BrowserPane &MainWindow::mainPane() {
    return m_browserTab->pane();
}

BrowserPane &MainWindow::newsPane() {
    return m_newsTab->pane();
}

void MainWindow::ewbMainProgressChange(qint64 progress, qint64 progressMax) {
    m_browserTab->ewbMainProgressChange(progress, progressMax);
}

QWidget *MainWindow::buildCommandPanel() {
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panCommands"));
    panel->setFixedHeight(CommandPanelHeight);
    auto *grid = new QVBoxLayout(panel);
    grid->setContentsMargins(8, 6, 8, 6);

    auto *languageRow = new QHBoxLayout;
    m_lblCurrentLanguage = new QLabel(QStringLiteral("Language:"), panel);
    m_lblCurrentLanguage->setObjectName(QStringLiteral("lblCurrentLanguage"));
    m_cbxLanguage = new QComboBox(panel);
    m_cbxLanguage->setObjectName(QStringLiteral("cbxLanguage"));
    m_cbxLanguage->addItems(
        {QStringLiteral("English"), QStringLiteral("French"), QStringLiteral("Spanish"), QStringLiteral("Italian")});
    m_cbxLanguage->setCurrentIndex(0);
    languageRow->addWidget(m_lblCurrentLanguage);
    languageRow->addWidget(m_cbxLanguage);
    languageRow->addStretch(1);
    grid->addLayout(languageRow);

    auto *buttonRow = new QHBoxLayout;
    m_btnStart = MakeButton(panel, "btnStart", QStringLiteral("Get Data"));
    m_btnStop = MakeButton(panel, "btnStop", QStringLiteral("Stop"));
    m_btnQueue = MakeButton(panel, "btnQueue", QStringLiteral("Queue"));
    m_btnSettings = MakeButton(panel, "btnSettings", QStringLiteral("Settings"));
    m_btnUpdates = MakeButton(panel, "btnUpdates", QStringLiteral("Get Updates"));
    m_btnHelp = MakeButton(panel, "btnHelp", QStringLiteral("Help"));
    for (QPushButton *button : {m_btnStart, m_btnStop, m_btnQueue, m_btnSettings, m_btnUpdates, m_btnHelp}) {
        buttonRow->addWidget(button);
    }
    buttonRow->addStretch(1);
    grid->addLayout(buttonRow);

    grid->addWidget(m_newsTab->buildNewsLine(panel));
    return panel;
}

QWidget *MainWindow::buildResultsArea() {
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("panResults"));
    area->setMinimumHeight(ResultsHeaderHeight * 3);
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_panResultsHeader = new QLabel(QStringLiteral("Results"), area);
    m_panResultsHeader->setObjectName(QStringLiteral("panResultsHeader"));
    m_panResultsHeader->setFixedHeight(ResultsHeaderHeight);
    m_panResultsHeader->setFrameShape(QFrame::StyledPanel);
    m_panResultsHeader->setContentsMargins(6, 0, 6, 0);
    m_lvwItems = new ResultsView(*m_results, area);
    m_lvwItems->setObjectName(QStringLiteral("lvwItems"));
    m_actCompleteFailed = new QAction(QStringLiteral("Complete failed rows"), m_lvwItems);
    m_actCompleteFailed->setObjectName(QStringLiteral("actCompleteFailedRows"));
    m_lvwItems->addAction(m_actCompleteFailed);
    m_lvwItems->setContextMenuPolicy(Qt::ActionsContextMenu);
    column->addWidget(m_panResultsHeader);
    column->addWidget(m_lvwItems, 1);
    return area;
}

QWidget *MainWindow::buildButtonBar() {
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("panButtons"));
    bar->setFixedHeight(ButtonBarHeight);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 6, 8, 6);
    m_btnRSelectAll = MakeButton(bar, "btnRSelectAll", QStringLiteral("Select All"));
    m_btnRClearSelection = MakeButton(bar, "btnRClearSelection", QStringLiteral("Clear Selection"));
    m_btnRDelete = MakeButton(bar, "btnRDelete", QStringLiteral("Delete Selected"));
    m_btnRDeleteAll = MakeButton(bar, "btnRDeleteAll", QStringLiteral("Delete All"));
    m_btnExportAll = MakeButton(bar, "btnExportAll", QStringLiteral("Export Data"));
    m_btnOpenWebsite = MakeButton(bar, "btnOpenWebsite", QStringLiteral("Open Website"));
    m_btnOpenMaps = MakeButton(bar, "btnOpenMaps", QStringLiteral("Open Maps URL"));
    m_btnOpenDetails = MakeButton(bar, "btnOpenDetails", QStringLiteral("Open Details URL"));
    for (QPushButton *button : {m_btnRSelectAll, m_btnRClearSelection, m_btnRDelete, m_btnRDeleteAll, m_btnExportAll,
                                m_btnOpenWebsite, m_btnOpenMaps, m_btnOpenDetails}) {
        row->addWidget(button);
    }
    row->addStretch(1);
    return bar;
}

void MainWindow::connectHandlers() {
    connect(m_btnRSelectAll, &QPushButton::clicked, this, &MainWindow::btnRSelectAllClick);
    connect(m_btnRClearSelection, &QPushButton::clicked, this, &MainWindow::btnRClearSelectionClick);
    connect(m_btnRDelete, &QPushButton::clicked, this, &MainWindow::btnRDeleteClick);
    connect(m_btnRDeleteAll, &QPushButton::clicked, this, &MainWindow::btnRDeleteAllClick);
    connect(m_btnOpenWebsite, &QPushButton::clicked, this, &MainWindow::btnOpenWebsiteClick);
    connect(m_btnOpenMaps, &QPushButton::clicked, this, &MainWindow::btnOpenMapsClick);
    connect(m_btnOpenDetails, &QPushButton::clicked, this, &MainWindow::btnOpenDetailsClick);
    connect(m_actCompleteFailed, &QAction::triggered, this, &MainWindow::actCompleteFailedRowsClick);
    connect(m_btnHelp, &QPushButton::clicked, this, &MainWindow::btnHelpClick);
    connect(m_btnUpdates, &QPushButton::clicked, this, &MainWindow::btnUpdatesClick);
    connect(m_btnSettings, &QPushButton::clicked, this, &MainWindow::btnSettingsClick);
    connect(m_btnStart, &QPushButton::clicked, this, &MainWindow::btnStartClick);
    connect(m_btnStop, &QPushButton::clicked, this, &MainWindow::btnStopClick);
    connect(m_btnQueue, &QPushButton::clicked, this, &MainWindow::btnQueueClick);
    connect(&m_tmrParse, &QTimer::timeout, this, &MainWindow::tmrParseTimer);
    connect(m_btnExportAll, &QPushButton::clicked, this, &MainWindow::btnExportAllClick);
    // Only the user's choice counts as a change; selecting the stored language at start-up does not.
    connect(m_cbxLanguage, &QComboBox::activated, this, &MainWindow::cbxLanguageChange);
    connect(&m_tmrDeferredStart, &QTimer::timeout, this, &MainWindow::tmrDeferredStartTimer);
}
