#include "gui/app/queuedialog.h"

#include "core/queue/queuerunner.h"
#include "core/settings/uitexts.h"
#include "gui/app/makebutton.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

QueueDialog::QueueDialog(Pieces pieces, QWidget *parent) : QDialog(parent), m_pieces(std::move(pieces)) {
    setObjectName(u"frmQueue"_s);
    setModal(false);
    resize(640, 380);
    m_lblHelp = new QLabel(this);
    m_lblHelp->setObjectName(u"lblQueueHelp"_s);
    m_lblHelp->setWordWrap(true);
    m_memSearches = new QPlainTextEdit(this);
    m_memSearches->setObjectName(u"memSearches"_s);
    m_memSearches->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_lblProgress = new QLabel(this);
    m_lblProgress->setObjectName(u"lblQueueProgress"_s);
    m_btnAddCurrent = MakeButton(this, "btnAddCurrentSearch", {});
    m_btnRun = MakeButton(this, "btnRunQueue", {});
    m_btnClose = MakeButton(this, "btnCloseQueue", {});

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_btnAddCurrent);
    buttons->addStretch(1);
    buttons->addWidget(m_btnRun);
    buttons->addWidget(m_btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblHelp);
    layout->addWidget(m_memSearches, 1);
    layout->addWidget(m_lblProgress);
    layout->addLayout(buttons);

    connect(m_btnAddCurrent, &QPushButton::clicked, this, &QueueDialog::addCurrentSearchClick);
    connect(m_btnRun, &QPushButton::clicked, this, &QueueDialog::runQueueClick);
    connect(m_btnClose, &QPushButton::clicked, this, &QWidget::close);
    refresh();
}

void QueueDialog::refresh() {
    const UiTexts &texts = m_pieces.texts;
    setWindowTitle(texts.text(u"main225"_s));
    m_lblHelp->setText(texts.text(u"main226"_s));
    m_btnAddCurrent->setText(texts.text(u"main227"_s));
    m_btnRun->setText(texts.text(u"main228"_s));
    m_btnClose->setText(texts.text(u"main229"_s));
    const SearchQueue &queue = m_pieces.runner.queue();
    const bool running = m_pieces.runner.isRunning();
    if (running || m_memSearches->toPlainText().trimmed().isEmpty()) {
        m_memSearches->setPlainText(queue.toText());
    }
    m_memSearches->setReadOnly(running);
    m_btnAddCurrent->setEnabled(!running);
    m_btnRun->setEnabled(!running);
    const QString done = QString::number(queue.isEmpty() ? 0 : queue.current());
    m_lblProgress->setText(texts.format(u"main232"_s, {done, QString::number(queue.size())}));
}

void QueueDialog::addCurrentSearchClick() {
    const QString address = m_pieces.currentAddress();
    if (address.isEmpty()) {
        return;
    }
    QString text = m_memSearches->toPlainText();
    if (!text.isEmpty() && !text.endsWith(u'\n')) {
        text.append(u'\n');
    }
    m_memSearches->setPlainText(text + address);
}

void QueueDialog::runQueueClick() {
    keepEdits();
    if (m_pieces.runner.queue().isEmpty()) {
        m_lblProgress->setText(m_pieces.texts.text(u"main235"_s));
        return;
    }
    m_pieces.runQueue();
    refresh();
}

void QueueDialog::closeEvent(QCloseEvent *event) {
    keepEdits();
    QDialog::closeEvent(event);
}

void QueueDialog::keepEdits() {
    if (m_pieces.runner.isRunning()) {
        return;
    }
    SearchQueue edited = SearchQueue::FromText(m_memSearches->toPlainText(), m_pieces.linkedInBase);
    // A finished queue runs again from its first search.
    if (edited.toText() != m_pieces.runner.queue().toText() || m_pieces.runner.queue().finished()) {
        m_pieces.runner.replaceQueue(std::move(edited));
    }
}
