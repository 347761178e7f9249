#include "gui/library/librarytab.h"

#include "core/library/leadlibrary.h"
#include "core/settings/uitexts.h"
#include "gui/app/makebutton.h"
#include "gui/library/addresscombobox.h"
#include "gui/library/librarymodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSizePolicy>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int ColumnWidth = 110;

QDateEdit *MakeDateEdit(QWidget *parent, const QString &name) {
    auto *edit = new QDateEdit(QDate::currentDate(), parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(u"yyyy-MM-dd"_s);
    edit->setEnabled(false);
    edit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Room for the whole date beside the popup's arrow.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(u"0000-00-00"_s) + 48);
    return edit;
}

} // namespace

LibraryTab::LibraryTab(Pieces pieces, QWidget *parent) : QWidget(parent), m_pieces(std::move(pieces)) {
    setObjectName(u"tabLibrary"_s);
    m_model = new LibraryModel(m_pieces.library, this);
    m_view = new QTableView(this);
    m_view->setObjectName(u"lvwLibrary"_s);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    // Every row the same height: the view never measures a million of them.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->setColumnWidth(LeadRow::BusinessName, 2 * ColumnWidth);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(buildFilterBar());
    layout->addWidget(m_view, 1);
    layout->addWidget(buildButtonBar());

    m_writePause.setSingleShot(true);
    m_writePause.setInterval(WritePauseMs);
    connect(&m_writePause, &QTimer::timeout, this, [this] {
        if (isVisible()) {
            refresh();
        }
    });
    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(TypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &LibraryTab::applyFilter);
    connect(m_edtSearch, &QLineEdit::textChanged, this, [this] { m_typingPause.start(); });
    connect(m_edtSearch, &QLineEdit::returnPressed, this, &LibraryTab::applyFilter);
    connect(m_cbxAddress, &QComboBox::activated, this, &LibraryTab::applyFilter);
    connect(m_cbxAddress, &AddressComboBox::popupAboutToShow, this, &LibraryTab::refreshAddresses);
    for (QCheckBox *check : {m_chkSeenFrom, m_chkSeenTo}) {
        connect(check, &QCheckBox::toggled, this, &LibraryTab::applyFilter);
    }
    for (QDateEdit *edit : {m_dteSeenFrom, m_dteSeenTo}) {
        connect(edit, &QDateEdit::dateChanged, this, &LibraryTab::applyFilter);
    }
    connect(m_chkSeenFrom, &QCheckBox::toggled, m_dteSeenFrom, &QWidget::setEnabled);
    connect(m_chkSeenTo, &QCheckBox::toggled, m_dteSeenTo, &QWidget::setEnabled);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &LibraryTab::refreshButtons);
    connect(m_model, &QAbstractItemModel::modelReset, this, &LibraryTab::refreshButtons);
    connect(m_model, &LibraryModel::readFailed, this, &LibraryTab::refreshCount);
    connect(m_btnExport, &QPushButton::clicked, this, &LibraryTab::btnExportClick);
    connect(m_btnDelete, &QPushButton::clicked, this, &LibraryTab::btnDeleteClick);
    connect(m_btnComplete, &QPushButton::clicked, this, &LibraryTab::btnCompleteClick);
    connect(&m_pieces.library, &LeadLibrary::rowsWritten, this, &LibraryTab::libraryWritten);
    refreshTexts();
    refreshButtons();
}

LibraryTab::~LibraryTab() = default;

QWidget *LibraryTab::buildFilterBar() {
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_lblSearch = new QLabel(bar);
    m_edtSearch = new QLineEdit(bar);
    m_edtSearch->setObjectName(u"edtLibrarySearch"_s);
    m_edtSearch->setClearButtonEnabled(true);
    m_lblSearch->setBuddy(m_edtSearch);
    m_lblAddress = new QLabel(bar);
    m_cbxAddress = new AddressComboBox(bar);
    m_cbxAddress->setObjectName(u"cbxLibraryAddress"_s);
    m_cbxAddress->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbxAddress->setMinimumContentsLength(12);
    m_cbxAddress->addItem(QString());
    m_lblAddress->setBuddy(m_cbxAddress);
    m_chkSeenFrom = new QCheckBox(bar);
    m_chkSeenFrom->setObjectName(u"chkLibrarySeenFrom"_s);
    m_dteSeenFrom = MakeDateEdit(bar, u"dteLibrarySeenFrom"_s);
    m_chkSeenTo = new QCheckBox(bar);
    m_chkSeenTo->setObjectName(u"chkLibrarySeenTo"_s);
    m_dteSeenTo = MakeDateEdit(bar, u"dteLibrarySeenTo"_s);
    row->addWidget(m_lblSearch);
    row->addWidget(m_edtSearch, 2);
    row->addWidget(m_lblAddress);
    row->addWidget(m_cbxAddress, 1);
    row->addWidget(m_chkSeenFrom);
    row->addWidget(m_dteSeenFrom);
    row->addWidget(m_chkSeenTo);
    row->addWidget(m_dteSeenTo);
    return bar;
}

QWidget *LibraryTab::buildButtonBar() {
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_lblCount = new QLabel(bar);
    m_lblCount->setObjectName(u"lblLibraryCount"_s);
    m_btnExport = MakeButton(bar, "btnLibraryExport", {});
    m_btnDelete = MakeButton(bar, "btnLibraryDelete", {});
    m_btnComplete = MakeButton(bar, "btnLibraryComplete", {});
    row->addWidget(m_lblCount);
    row->addStretch(1);
    row->addWidget(m_btnExport);
    row->addWidget(m_btnDelete);
    row->addWidget(m_btnComplete);
    return bar;
}

void LibraryTab::refreshTexts() {
    const UiTexts &texts = m_pieces.texts;
    m_lblSearch->setText(texts.text(u"main256"_s));
    m_edtSearch->setPlaceholderText(texts.text(u"main257"_s));
    m_lblAddress->setText(texts.text(u"main258"_s));
    m_cbxAddress->setItemText(0, texts.text(u"main259"_s));
    m_chkSeenFrom->setText(texts.text(u"main260"_s));
    m_chkSeenTo->setText(texts.text(u"main261"_s));
    m_btnExport->setText(texts.text(u"main262"_s));
    m_btnDelete->setText(texts.text(u"main263"_s));
    m_btnComplete->setText(texts.text(u"main264"_s));
    QStringList captions = m_pieces.rowCaptions ? m_pieces.rowCaptions() : QStringList();
    captions.resize(LeadRow::ColumnCount);
    for (int tag = 268; tag <= 271; ++tag) {
        captions << texts.text(u"main"_s + QString::number(tag));
    }
    m_model->setCaptions(captions);
    refreshCount();
}

LibraryFilter LibraryTab::currentFilter() const {
    LibraryFilter filter;
    filter.text = m_edtSearch->text();
    filter.searchAddress = m_cbxAddress->currentIndex() > 0 ? m_cbxAddress->currentText() : QString();
    if (m_chkSeenFrom->isChecked()) {
        filter.seenFrom = m_dteSeenFrom->date().startOfDay();
    }
    if (m_chkSeenTo->isChecked()) {
        filter.seenTo = m_dteSeenTo->date().endOfDay();
    }
    return filter;
}

void LibraryTab::applyFilter() {
    m_typingPause.stop();
    const LibraryFilter filter = currentFilter();
    // A date changed while its end is off, or a word typed and taken back, changes nothing: the
    // selection and the place in the table stay.
    if (filter == m_model->filter()) {
        return;
    }
    m_model->setFilter(filter);
    refreshCount();
}

void LibraryTab::refresh() {
    m_stale = false;
    m_libraryHasFailures.reset();
    const LibraryFilter filter = currentFilter();
    if (filter == m_model->filter()) {
        m_model->refresh();
    } else {
        m_model->setFilter(filter);
    }
    refreshCount();
}

void LibraryTab::libraryWritten() {
    m_stale = true;
    if (!m_writePause.isActive()) {
        m_writePause.start();
    }
}

void LibraryTab::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // The library may have been opened, or written, while the tab was out of sight.
    if (m_stale || m_model->rowCount() == 0) {
        refresh();
    }
}

void LibraryTab::refreshAddresses() {
    const QString chosen = m_cbxAddress->currentIndex() > 0 ? m_cbxAddress->currentText() : QString();
    QStringList addresses;
    if (m_pieces.library.isOpen()) {
        addresses = m_pieces.library.searchAddresses().value;
    }
    while (m_cbxAddress->count() > 1) {
        m_cbxAddress->removeItem(1);
    }
    m_cbxAddress->addItems(addresses);
    // A search address whose companies are all gone is kept while it is chosen.
    if (!chosen.isEmpty() && !addresses.contains(chosen)) {
        m_cbxAddress->addItem(chosen);
    }
    m_cbxAddress->setCurrentIndex(chosen.isEmpty() ? 0 : m_cbxAddress->findText(chosen));
}

void LibraryTab::refreshCount() {
    QString text;
    if (!m_model->errorString().isEmpty()) {
        // Said in the tab, not in a box: a box would open again at every count while a run writes.
        text = m_pieces.texts.format(u"main272"_s, m_model->errorString());
    } else if (m_pieces.library.isOpen()) {
        text = m_pieces.texts.format(u"main265"_s, m_model->rowCount());
    }
    m_lblCount->setText(text);
}
