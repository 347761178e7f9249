#include "gui/app/journalsession.h"

#include "core/app/dialogs.h"
#include "core/app/statussink.h"
#include "core/journal/resultsjournal.h"
#include "core/settings/uitexts.h"

#include <QLocale>

JournalSession::JournalSession(Pieces pieces, QString path, QObject *parent)
    : QObject(parent), m_pieces(pieces), m_path(std::move(path)) {}

JournalSession::~JournalSession() = default;

void JournalSession::start(const QLocale &locale) {
    if (m_journal) {
        return;
    }
    auto journal = std::make_unique<ResultsJournal>(m_pieces.list, m_path);
    // Before start, whose first write may fail already. Queued: the journal also writes when it
    // goes, when no box may be shown.
    connect(journal.get(), &ResultsJournal::writeFailed, this, &JournalSession::sayWriteFailed, Qt::QueuedConnection);
    const ResultsJournal::Start started = journal->start(m_pieces.dialogs, m_pieces.texts, locale);
    if (started == ResultsJournal::Start::HeldByAnotherCopy) {
        m_pieces.status.setPanelText(StatusSink::ActivityPanel, m_pieces.texts.text(QStringLiteral("main145")));
    }
    if (started == ResultsJournal::Start::Journalling) {
        m_journal = std::move(journal);
    }
}

void JournalSession::sayWriteFailed(const QString &reason) {
    m_pieces.dialogs.showMessage(Dialogs::Icon::Warning, m_pieces.texts.format(QStringLiteral("main141"), reason));
}
