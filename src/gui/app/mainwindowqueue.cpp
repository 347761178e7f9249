#include "core/app/dialogs.h"
#include "core/app/statussink.h"
#include "core/queue/queuefile.h"
#include "core/queue/queuerunner.h"
#include "core/settings/uitexts.h"
#include "gui/app/browsertab.h"
#include "gui/app/mainstatusbar.h"
#include "gui/app/mainwindow.h"
#include "gui/app/queuedialog.h"
#include "gui/browser/webenginepane.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

void MainWindow::MakeQueue(const QString &dataFolder) {
    QueueRunner::Pieces pieces{m_browserTab->pane(), *m_driver,    m_context->run, m_context->settings,
                               m_context->texts,     *m_statusBar, m_random,       m_context->library};
    m_queue = std::make_unique<QueueRunner>(pieces, dataFolder.isEmpty() ? QString() : QueueFile::PathIn(dataFolder));
}

void MainWindow::btnQueueClick() {
    if (m_queueDialog == nullptr) {
        QueueDialog::Pieces pieces{*m_queue, m_context->texts, m_context->endpoints.linkedInHttps,
                                   [this] { return m_browserTab->pane().locationUrl(); },
                                   [this] {
                                       RunQueue();
                                   }};
        m_queueDialog = new QueueDialog(std::move(pieces), this);
    }
    m_queueDialog->refresh();
    m_queueDialog->show();
    m_queueDialog->raise();
    m_queueDialog->activateWindow();
}

void MainWindow::RunQueue() {
    if (m_closing.requested() || m_queue->isRunning()) {
        return;
    }
    m_tasks.track(m_queue->Run());
}

// The queue of the command line replaces the stored one; without it, a queue a close, a crash or
// a kill cut short is offered once.
void MainWindow::StartQueue() {
    if (!m_queueFile.isEmpty()) {
        QFile file(m_queueFile);
        if (!file.open(QIODevice::ReadOnly)) {
            m_dialogs.showMessage(Dialogs::Icon::Warning,
                                  m_context->texts.format(u"main233"_s, QDir::toNativeSeparators(m_queueFile)));
            return;
        }
        const QString text = QString::fromUtf8(file.readAll());
        m_queue->replaceQueue(SearchQueue::FromText(text, m_context->endpoints.linkedInHttps));
        RunQueue();
        return;
    }
    if (!m_queue->hasUnfinished()) {
        return;
    }
    const SearchQueue &queue = m_queue->queue();
    const QString question =
        m_context->texts.format(u"main222"_s, {QString::number(queue.current() + 1), QString::number(queue.size())});
    const Dialogs::Choice choice = m_dialogs.choose(
        Dialogs::Icon::Information, question, m_context->texts.text(u"main223"_s), m_context->texts.text(u"main224"_s));
    if (choice == Dialogs::Choice::Accept) {
        RunQueue();
    }
}
