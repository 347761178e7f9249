#include "core/account/pagebudget.h"
#include "core/app/configwarning.h"
#include "core/app/libraryexport.h"
#include "core/app/openlink.h"
#include "core/app/version.h"
#include "core/extraction/extractiondriver.h"
#include "core/extraction/resultslist.h"
#include "core/host/host.h"
#include "core/host/hostintegration.h"
#include "core/host/hostservices.h"
#include "core/journal/resultsjournal.h"
#include "core/net/customproxy.h"
#include "core/net/downloader.h"
#include "core/queue/queuerunner.h"
#include "core/settings/languagefile.h"
#include "core/settings/languagetags.h"
#include "core/settings/settingsstore.h"
#include "core/updates/updatecheck.h"
#include "gui/app/browsertab.h"
#include "gui/app/journalsession.h"
#include "gui/app/librarysession.h"
#include "gui/app/mainstatusbar.h"
#include "gui/app/mainwindow.h"
#include "gui/app/newstab.h"
#include "gui/app/qttranslations.h"
#include "gui/app/queuedialog.h"
#include "gui/app/screenfit.h"
#include "gui/app/tarnwickapplication.h"
#include "gui/browser/webenginepane.h"
#include "gui/library/librarytab.h"
#include "gui/settings/mainwindowlanguage.h"
#include "gui/settings/settingsflow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QWindow>

namespace {

const QStringList &LanguageCodes() {
    static const QStringList codes = {QStringLiteral("en"), QStringLiteral("fr"), QStringLiteral("es"),
                                      QStringLiteral("it")};
    return codes;
}

} // namespace

// Start-up, in the order later steps rely on: the data folder exists before the settings are
// read, and the settings are loaded before the language and the proxy are applied.
void MainWindow::FormCreate() {
    ClearUrlCache(m_host);
    SetIERegistryKey(m_host, GetIEVersion(m_host));
    const QString dataFolder = AppDataFolder(m_host);
    if (!dataFolder.isEmpty()) {
        QDir().mkpath(dataFolder);
    }
    m_settingsPath = dataFolder.isEmpty() ? QString() : SettingsFilePath(dataFolder);
    m_pageBudget = std::make_unique<PageBudget>(dataFolder.isEmpty() ? QString() : PageBudgetFilePath(dataFolder));
    m_driver->setPageBudget(m_pageBudget.get());
    MakeQueue(dataFolder);
    // A missing or broken settings file leaves the defaults in force.
    const LoadSettingsResult settings = LoadSettings(m_context->settings, m_settingsPath, GetDocumentsFolder(m_host));
    const qsizetype languageIndex = LanguageCodes().indexOf(m_context->settings.CurrLang);
    m_cbxLanguage->setCurrentIndex(languageIndex >= 0 ? static_cast<int>(languageIndex) : 0);
    // The news is fetched once the window shows (FetchNews): the window never waits for the
    // publisher, and the news line fills when the reply comes.
    if (const QString notice = LoadLanguage(m_context->settings.CurrLang); !notice.isEmpty()) {
        m_startNotices.append(notice);
    }
    if (settings.status == LoadSettingsResult::Status::InvalidBoolean) {
        m_startNotices.append(m_context->texts.format(QStringLiteral("main143"),
                                                      {settings.key, QDir::toNativeSeparators(settings.keptAs)}));
    }
    // In the user's language: a damaged library is said once the window shows.
    m_library =
        std::make_unique<LibrarySession>(LibrarySession::Pieces{m_context->library, m_context->texts, *m_statusBar});
    if (const QString notice = m_library->open(dataFolder); !notice.isEmpty()) {
        m_startNotices.append(notice);
    }
    if (!m_journalFile.isEmpty()) {
        m_journal = std::make_unique<JournalSession>(
            JournalSession::Pieces{*m_results, m_dialogs, m_context->texts, *m_statusBar}, m_journalFile);
    }
    setWindowTitle(ProductName + QLatin1Char(' ') + ProgramVersion);
    // The proxy line drawn from a list differs from one start to the next.
    m_random.Reseed();
    SetCustomProxy(m_context->settings, m_browserTab->pane(), m_random);
    m_browserTab->focusAddress();
}

QString MainWindow::LoadLanguage(const QString &code) {
    QStringList damaged;
    const LanguageSections sections = ReadLanguageOrEnglish(m_executableFolder, code, MainWindowTags(), damaged);
    if (!sections.loaded()) {
        return {};
    }
    MainWindowLanguageTargets targets;
    targets.status = m_statusBar;
    targets.setColumnCaption = [this](int column, const QString &caption) {
        m_results->setColumnCaption(column, caption);
    };
    ApplyMainWindowLanguage(this, sections.texts, targets);
    ApplyUiTexts(sections.texts, m_context->texts);
    m_results->refreshItemsListed();
    refreshExportedCounter();
    m_driver->statusLine().Refresh();
    m_btnQueue->setText(m_context->texts.text(QStringLiteral("main220")));
    m_actCompleteFailed->setText(m_context->texts.text(QStringLiteral("main286")));
    if (m_queueDialog != nullptr) {
        m_queueDialog->refresh();
    }
    m_newsTab->setLanguage(code);
    m_pgcMain->setTabText(m_pgcMain->indexOf(m_libraryTab), m_context->texts.text(QStringLiteral("main255")));
    m_libraryTab->refreshTexts();
    return damaged.isEmpty()
               ? QString()
               : m_context->texts.format(QStringLiteral("main144"), QDir::toNativeSeparators(damaged.constFirst()));
}

void MainWindow::refreshExportedCounter() {
    m_statusBar->setPanelText(StatusSink::ExportedPanel,
                              m_context->texts.format(QStringLiteral("main46"), m_context->run.ExportedNum));
}

void MainWindow::cbxLanguageChange(int index) {
    if (index < 0 || index >= LanguageCodes().size()) {
        return;
    }
    m_context->settings.CurrLang = LanguageCodes().at(index);
    // A failed save ends the change here, as an error escaping the handler would.
    const SaveSettingsResult saved = SaveSettings(m_context->settings, m_settingsPath);
    if (!saved.ok) {
        TarnwickApplication::ReportError(saved.errorString);
        return;
    }
    if (const QString notice = LoadLanguage(m_context->settings.CurrLang); !notice.isEmpty()) {
        m_dialogs.showMessage(Dialogs::Icon::Warning, notice);
    }
    // Qt's own buttons and dialogs follow the program's language.
    ApplyQtTranslations(m_context->settings.CurrLang);
}

void MainWindow::btnSettingsClick() {
    SettingsDialogRequest request;
    request.columnCaptions = m_results->columnCaptions();
    request.settingsPath = m_settingsPath;
    request.executableFolder = m_executableFolder;
    request.openLink = [this](const QString &address) {
        OpenInBrowser(address);
    };
    const SettingsDialogOutcome outcome = RunSettingsDialog(*m_context, request, m_browserTab->pane(), m_random, this);
    if (outcome.accepted && !outcome.save.ok) {
        TarnwickApplication::ReportError(outcome.save.errorString);
    }
}

void MainWindow::btnStartClick() {
    m_driver->btnStartClick();
}

void MainWindow::btnStopClick() {
    m_driver->btnStopClick();
}

void MainWindow::tmrParseTimer() {
    m_driver->tmrParseTimer();
}

void MainWindow::btnExportAllClick() {
    ExportSource source;
    source.captions = m_results->columnCaptions();
    source.rows = m_results->model().packedRows();
    source.selectedRows = m_results->selectedRows();
    m_tasks.track(RunExportNotingLibrary(*m_context, std::move(source), m_closing));
}

void MainWindow::btnRSelectAllClick() {
    m_results->selectAll();
}

void MainWindow::btnRClearSelectionClick() {
    m_results->clearSelection();
}

void MainWindow::btnRDeleteClick() {
    m_results->deleteSelected();
}

void MainWindow::btnRDeleteAllClick() {
    m_results->deleteAll();
}

void MainWindow::btnOpenWebsiteClick() {
    m_tasks.track(m_results->openSelectedCell(LeadRow::Website, m_closing));
}

void MainWindow::btnOpenMapsClick() {
    m_tasks.track(m_results->openSelectedCell(LeadRow::MapLink, m_closing));
}

void MainWindow::btnOpenDetailsClick() {
    m_tasks.track(m_results->openSelectedCell(LeadRow::LinkedInLink, m_closing));
}

void MainWindow::OpenInBrowser(const QString &address) {
    m_tasks.track(OpenLink(m_host, m_dialogs, m_context->texts, address, m_closing));
}

void MainWindow::btnHelpClick() {
    OpenInBrowser(m_context->endpoints.tutorialUrl);
}

void MainWindow::btnUpdatesClick() {
    m_tasks.track(DownloadApplicationUpdates(false));
}

// A run's Stop does not end the check: only closing the window does.
QCoro::Task<> MainWindow::DownloadApplicationUpdates(bool Silent) {
    return m_updateCheck->DownloadApplicationUpdates(Silent, m_closing);
}

void MainWindow::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FitWindowToScreen();
        FormShow();
    }
}

// The window opens whole on its screen, also where a scale factor leaves the screen small; where
// it cannot shrink enough, its title bar still stays on the screen.
void MainWindow::FitWindowToScreen() {
    const QScreen *screen = this->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QMargins margins = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    const QSize frameExtra(margins.left() + margins.right(), margins.top() + margins.bottom());
    resize(FitToScreen(size() + frameExtra, available).size() - frameExtra);
    move(FitToScreen(size() + frameExtra, available).topLeft());
}

void MainWindow::FormShow() {
    m_statusBar->placeGauge();
    m_statusBar->setGaugePosition(0);
    m_tasks.track(m_newsTab->FetchNews(m_closing));
    m_tmrDeferredStart.start();
    QTimer::singleShot(0, this, &MainWindow::StartSession);
}

void MainWindow::StartSession() {
    const QString configWarning = ConfigWarningText(m_config, m_configPath, m_context->texts);
    if (!configWarning.isEmpty()) {
        m_dialogs.showNotice(Dialogs::Icon::Warning, configWarning);
    }
    for (const QString &notice : std::exchange(m_startNotices, {})) {
        m_dialogs.showMessage(Dialogs::Icon::Warning, notice);
    }
    if (m_journal) {
        m_journal->start(QLocale(m_context->settings.CurrLang));
    }
}

void MainWindow::tmrDeferredStartTimer() {
    m_tmrDeferredStart.stop();
    m_tasks.track(DeferredStart());
}

QCoro::Task<> MainWindow::DeferredStart() {
    m_pgcMain->setCurrentIndex(1);
    co_await PumpDelay(500, m_closing);
    m_pgcMain->setCurrentIndex(0);
    co_await PumpDelay(0, m_closing);
    co_await DownloadApplicationUpdates(true);
    // A window that closes opens no more pages.
    if (m_closing.requested()) {
        co_return;
    }
    m_newsTab->ShowOffers(m_context->settings.CurrLang);
    m_browserTab->pane().navigate(m_context->endpoints.linkedInHttps);
    // After the first page is asked for, so no search of the queue is replaced by it.
    StartQueue();
}

bool MainWindow::isIdle() const {
    return m_tasks.isIdle() && m_driver->isIdle();
}

void MainWindow::Shutdown() {
    m_closing.request();
    if (m_queue) {
        m_queue->Shutdown();
    }
    m_driver->Shutdown();
    m_newsTab->Shutdown();
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // Closing is always allowed. A run in progress stops, and every wait of the window ends
    // at once: the coroutines waiting on them finish before this returns.
    Shutdown();
    if (isIdle()) {
        m_library->flush();
        event->accept();
        return;
    }
    // Still under way: the work that asked for this close (the update check), or a message box
    // one of them shows. The window closes once they have ended; a box left open after two
    // seconds is closed for the user.
    event->ignore();
    if (!m_closeWait.isValid()) {
        m_closeWait.start();
    } else if (m_closeWait.elapsed() > 2000) {
        if (QWidget *box = QApplication::activeModalWidget()) {
            box->close();
        }
    }
    QTimer::singleShot(50, this, &QWidget::close);
}
