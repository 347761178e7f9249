#include "core/extraction/runlibrary.h"

#include "core/library/leadlibrary.h"
#include "core/model/leadrow.h"
#include "core/settings/appsettings.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcRunLibrary, "tarnwick.extraction.library", QtInfoMsg)

void RunLibrary::FetchFailed(RunStatusLine::Failure part, const QString &reason) {
    switch (part) {
    case RunStatusLine::Failure::CompanyPage:
        m_failures.companyPage = true;
        break;
    case RunStatusLine::Failure::Places:
        m_failures.places = true;
        break;
    case RunStatusLine::Failure::Website:
        m_failures.website = true;
        break;
    }
    if (!reason.isEmpty()) {
        m_failures.reason = reason;
    }
}

bool RunLibrary::LeavesOut(const QString &link) const {
    return m_settings.cLeaveOutLibraryCompanies && m_library.contains(link);
}

void RunLibrary::Filed(const LeadRow &row) {
    m_library.add(row, m_searchAddress, FailureText(m_failures));
}

bool RunLibrary::ExportedBefore(const LeadRow &row) const {
    return m_settings.cExportOnlyNewRows && !m_library.notExported({row[LeadRow::LinkedInLink]}).value(0, true);
}

void RunLibrary::Exported(const QString &link, const QString &filePath) {
    if (!m_library.isOpen()) {
        return;
    }
    // The row is in its file either way; only the library misses the note.
    if (const LibraryResult<int> noted = m_library.markExportedLinks({link}, filePath); !noted.ok()) {
        qCWarning(lcRunLibrary).noquote() << noted.errorString;
    }
}

void RunLibrary::RunEnded() {
    if (!m_library.isOpen()) {
        return;
    }
    if (const LibraryResult<int> written = m_library.flush(); !written.ok()) {
        qCWarning(lcRunLibrary).noquote() << written.errorString;
    }
}
