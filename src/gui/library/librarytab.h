#pragma once

#include "core/export/exportsource.h"
#include "core/library/libraryentry.h"
#include "core/library/libraryfilter.h"

#include <QList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class AddressComboBox;
class Dialogs;
class LeadLibrary;
class LibraryModel;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class UiTexts;

// The Library tab: every company the library keeps, in a table that reads pages as it scrolls,
// narrowed by a search box (answering as the user types), a search address and the days seen.
// The selected companies can be exported, deleted (after a question) or handed on to be
// completed where fetching them failed. After the library writes, the tab counts again while
// it shows, and once it shows again otherwise. The search addresses, a slow query in a large
// library, are read when their list opens.
class LibraryTab : public QWidget {
    Q_OBJECT

public:
    struct Pieces {
        LeadLibrary &library;
        Dialogs &dialogs;
        const UiTexts &texts;
        // The results list's captions, one per cell of a row.
        std::function<QStringList()> rowCaptions;
        // Writes the rows of source as "Export Data" does.
        std::function<void(ExportSource source)> exportRows;
    };

    // How long the search box waits for the next key before it filters.
    static constexpr int TypingPauseMs = 150;
    // A run writes every half second: the tab counts again at most once in this time, since a
    // count of a wide filter over a large library takes a while.
    static constexpr int WritePauseMs = 2000;

    explicit LibraryTab(Pieces pieces, QWidget *parent = nullptr);
    ~LibraryTab() override;

    LibraryModel &model() { return *m_model; }
    QTableView *view() const { return m_view; }

    // Every text anew from the texts in force, the column captions included.
    void refreshTexts();
    // Counts again and reads the rows shown anew, keeping the filter.
    void refresh();

    // The filter the widgets show.
    LibraryFilter currentFilter() const;
    // The selected companies, in table order.
    QList<LibraryEntry> selectedEntries() const;
    // The selected companies as an export sees them: every one of them selected.
    ExportSource selectedSource() const;

    void btnExportClick();
    void btnDeleteClick();
    void btnCompleteClick();

Q_SIGNALS:
    // The user asked to fetch again what failed for these companies.
    void completeFailedRows(const QList<LibraryEntry> &entries);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildFilterBar();
    QWidget *buildButtonBar();
    void applyFilter();
    void libraryWritten();
    void refreshAddresses();
    void refreshCount();
    void refreshButtons();
    QList<int> selectedRows() const;

    Pieces m_pieces;
    LibraryModel *m_model = nullptr;
    QTimer m_typingPause;
    QTimer m_writePause;
    // The library wrote while the tab was out of sight.
    bool m_stale = true;
    // Whether any company of the library failed, read once a refresh for a large selection.
    std::optional<bool> m_libraryHasFailures;

    QLabel *m_lblSearch = nullptr;
    QLineEdit *m_edtSearch = nullptr;
    QLabel *m_lblAddress = nullptr;
    AddressComboBox *m_cbxAddress = nullptr;
    QCheckBox *m_chkSeenFrom = nullptr;
    QDateEdit *m_dteSeenFrom = nullptr;
    QCheckBox *m_chkSeenTo = nullptr;
    QDateEdit *m_dteSeenTo = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_lblCount = nullptr;
    QPushButton *m_btnExport = nullptr;
    QPushButton *m_btnDelete = nullptr;
    QPushButton *m_btnComplete = nullptr;
};
