#include "gui/app/librarysession.h"

#include "core/app/statussink.h"
#include "core/library/leadlibrary.h"
#include "core/settings/uitexts.h"

#include <QDir>
#include <QLoggingCategory>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcLibrarySession, "tarnwick.app.library", QtInfoMsg)

LibrarySession::LibrarySession(Pieces pieces, QObject *parent) : QObject(parent), m_pieces(pieces) {
    connect(&m_pieces.library, &LeadLibrary::writeFailed, this, &LibrarySession::sayWriteFailed);
}

QString LibrarySession::open(const QString &dataFolder) {
    if (dataFolder.isEmpty()) {
        return {};
    }
    const QString path = dataFolder + u'/' + LeadLibrary::FileName();
    const LibraryOpening opening = m_pieces.library.open(path);
    switch (opening.state) {
    case LibraryOpening::State::Opened:
    case LibraryOpening::State::Created:
        return {};
    case LibraryOpening::State::Replaced:
        qCWarning(lcLibrarySession).noquote() << path << opening.reason << opening.movedTo;
        return m_pieces.texts.format(
            u"main242"_s, {QDir::toNativeSeparators(path), opening.reason, QDir::toNativeSeparators(opening.movedTo)});
    case LibraryOpening::State::Failed:
        qCWarning(lcLibrarySession).noquote() << path << opening.reason;
        return m_pieces.texts.format(u"main243"_s, {QDir::toNativeSeparators(path), opening.reason});
    }
    return {};
}

void LibrarySession::flush() {
    if (!m_pieces.library.isOpen()) {
        return;
    }
    if (const LibraryResult<int> written = m_pieces.library.flush(); !written.ok()) {
        qCWarning(lcLibrarySession).noquote() << written.errorString;
    }
}

void LibrarySession::sayWriteFailed(const QString &reason) {
    m_pieces.status.setPanelText(StatusSink::ActivityPanel, m_pieces.texts.format(u"main244"_s, reason));
}
