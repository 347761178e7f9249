#pragma once

#include "core/extraction/runstatusline.h"
#include "core/library/fetchfailures.h"

#include <QString>

class LeadLibrary;
struct AppSettings;
struct LeadRow;

// What a run tells the lead library and asks of it:
// - every row it files goes to the library with the run's search address and what could not be
//   fetched for it (the failures since the entry started);
// - with "leave out companies already in the library" on, a company the library knows counts
//   as known, so it is neither fetched nor listed; off, only the results list decides;
// - with "export only rows not exported before" on, automatic export passes over a row the
//   library has seen exported; every row it writes is noted as exported to its file.
// Settings are read when used, so a change during a run applies to the next entry.
class RunLibrary {
public:
    RunLibrary(LeadLibrary &library, const AppSettings &settings) : m_library(library), m_settings(settings) {}

    // The address of the search the run reads, as the rows it files keep it.
    void setSearchAddress(const QString &address) { m_searchAddress = address; }
    const QString &searchAddress() const { return m_searchAddress; }

    void EntryStarted() { m_failures = {}; }
    void FetchFailed(RunStatusLine::Failure part, const QString &reason);
    const FetchFailures &failures() const { return m_failures; }

    bool LeavesOut(const QString &link) const;
    void Filed(const LeadRow &row);
    bool ExportedBefore(const LeadRow &row) const;
    // The row reached the automatic export file filePath.
    void Exported(const QString &link, const QString &filePath);
    // The run ended: its rows reach the file now rather than at the next beat.
    void RunEnded();

private:
    LeadLibrary &m_library;
    const AppSettings &m_settings;
    QString m_searchAddress;
    FetchFailures m_failures;
};
