#include "gui/settings/settingsdialogui.h"

#include "core/settings/appsettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

template<typename T>
T *Named(T *widget, const QString &name) {
    widget->setObjectName(name);
    return widget;
}

QFrame *HorizontalRule(QWidget *parent) {
    auto *rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    return rule;
}

QValidator *DigitsOnly(QObject *parent) {
    return new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), parent);
}

} // namespace

void SettingsDialogUi::setupUi(QDialog *dialog) {
    dialog->setObjectName(u"frmSettings"_s);
    dialog->setWindowTitle(u"Settings"_s);
    QFont font(u"Tahoma"_s);
    font.setPixelSize(11);
    dialog->setFont(font);
    dialog->setFixedSize(583, 482);
    dialog->setSizeGripEnabled(false);

    pgcSettings = Named(new QTabWidget(dialog), u"pgcSettings"_s);
    TabSheet1 = Named(new QWidget(pgcSettings), u"TabSheet1"_s);
    TabSheet2 = Named(new QWidget(pgcSettings), u"TabSheet2"_s);
    pgcSettings->addTab(TabSheet1, u"Connections"_s);
    pgcSettings->addTab(TabSheet2, u"Data"_s);
    setupConnectionsTab();
    setupDataTab();

    btnOk = Named(new QPushButton(u"Ok"_s, dialog), u"btnOk"_s);
    btnOk->setDefault(true);
    btnOk->setAutoDefault(true);
    btnCancel = Named(new QPushButton(u"Cancel"_s, dialog), u"btnCancel"_s);
    btnCancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto *main = new QVBoxLayout(dialog);
    main->addWidget(pgcSettings, 1);
    main->addLayout(buttons);
}

void SettingsDialogUi::setupConnectionsTab() {
    QWidget *tab = TabSheet1;
    rbtNoProxy = Named(new QRadioButton(u"Don't use any proxy"_s, tab), u"rbtNoProxy"_s);
    rbtProxy = Named(new QRadioButton(u"Use this specific proxy"_s, tab), u"rbtProxy"_s);
    rbtRandom = Named(new QRadioButton(u"Use a random proxy from the following  list. Enter 1 proxy per line."_s, tab),
                      u"rbtRandom"_s);
    proxyGroup = new QButtonGroup(tab);
    proxyGroup->addButton(rbtNoProxy);
    proxyGroup->addButton(rbtProxy);
    proxyGroup->addButton(rbtRandom);
    rbtNoProxy->setChecked(true);

    lblHost = Named(new QLabel(u"Host:"_s, tab), u"lblHost"_s);
    edtHost = Named(new QLineEdit(tab), u"edtHost"_s);
    lblPort = Named(new QLabel(u"Port:"_s, tab), u"lblPort"_s);
    edtPort = Named(new QLineEdit(u"80"_s, tab), u"edtPort"_s);
    edtPort->setValidator(DigitsOnly(edtPort));
    edtPort->setFixedWidth(60);
    chkAuthentification = Named(new QCheckBox(u"Need Authentication"_s, tab), u"chkAuthentification"_s);
    chkAuthentification->setEnabled(false);
    lblUsername = Named(new QLabel(u"Username:"_s, tab), u"lblUsername"_s);
    edtUsername = Named(new QLineEdit(tab), u"edtUsername"_s);
    edtUsername->setEnabled(false);
    lblPassword = Named(new QLabel(u"Password:"_s, tab), u"lblPassword"_s);
    edtPassword = Named(new QLineEdit(tab), u"edtPassword"_s);
    edtPassword->setEchoMode(QLineEdit::Password);
    edtPassword->setStyleSheet(u"lineedit-password-character: 42;"_s);
    edtPassword->setEnabled(false);
    memRandomProxies = Named(new QPlainTextEdit(tab), u"memRandomProxies"_s);
    memRandomProxies->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    lblRandomDelay = Named(new QLabel(u"Random delay between requests:"_s, tab), u"lblRandomDelay"_s);
    speRandom = Named(new QLineEdit(u"3"_s, tab), u"speRandom"_s);
    speRandom->setValidator(DigitsOnly(speRandom));
    speRandom->setFixedWidth(50);
    lblSeconds = Named(new QLabel(u"seconds"_s, tab), u"lblSeconds"_s);
    btnFreeProxies = Named(new QPushButton(u"How to protect your IP?"_s, tab), u"btnFreeProxies"_s);
    btnFreeProxies->setAutoDefault(false);

    lblHost->setBuddy(edtHost);
    lblPort->setBuddy(edtPort);
    lblUsername->setBuddy(edtUsername);
    lblPassword->setBuddy(edtPassword);
    lblRandomDelay->setBuddy(speRandom);

    auto *fields = new QGridLayout;
    fields->setContentsMargins(20, 0, 0, 0);
    fields->addWidget(lblHost, 0, 0);
    fields->addWidget(edtHost, 0, 1);
    fields->addWidget(lblPort, 0, 2);
    fields->addWidget(edtPort, 0, 3);
    fields->addWidget(chkAuthentification, 1, 0, 1, 4);
    fields->addWidget(lblUsername, 2, 0);
    fields->addWidget(edtUsername, 2, 1, 1, 3);
    fields->addWidget(lblPassword, 3, 0);
    fields->addWidget(edtPassword, 3, 1, 1, 3);

    auto *delay = new QHBoxLayout;
    delay->addWidget(lblRandomDelay);
    delay->addWidget(speRandom);
    delay->addWidget(lblSeconds);
    delay->addStretch();

    lblQueuePause = Named(new QLabel(u"Pause between the searches of a queue:"_s, tab), u"lblQueuePause"_s);
    edtQueuePause = Named(new QLineEdit(u"30"_s, tab), u"edtQueuePause"_s);
    edtQueuePause->setValidator(DigitsOnly(edtQueuePause));
    edtQueuePause->setFixedWidth(50);
    lblQueueSeconds = Named(new QLabel(u"seconds"_s, tab), u"lblQueueSeconds"_s);
    lblQueuePause->setBuddy(edtQueuePause);
    auto *queuePause = new QHBoxLayout;
    queuePause->addWidget(lblQueuePause);
    queuePause->addWidget(edtQueuePause);
    queuePause->addWidget(lblQueueSeconds);
    queuePause->addStretch();

    auto *list = new QVBoxLayout;
    list->setContentsMargins(20, 0, 0, 0);
    list->addWidget(memRandomProxies, 1);
    lblProxyNote = Named(new QLabel(tab), u"lblProxyNote"_s);
    lblProxyNote->setWordWrap(true);
    lblProxyNote->hide();
    list->addWidget(lblProxyNote);

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(rbtNoProxy);
    layout->addWidget(rbtProxy);
    layout->addLayout(fields);
    layout->addWidget(rbtRandom);
    layout->addLayout(list, 1);
    layout->addLayout(delay);
    layout->addLayout(queuePause);
    layout->addWidget(setupPageBudget(tab));
    layout->addWidget(btnFreeProxies, 0, Qt::AlignLeft);
}

QGroupBox *SettingsDialogUi::setupPageBudget(QWidget *tab) {
    grpPageBudget = Named(new QGroupBox(u"LinkedIn pages read, at most:"_s, tab), u"grpPageBudget"_s);
    const auto budgetBox = [this](const QString &name, int value) {
        auto *box = Named(new QSpinBox(grpPageBudget), name);
        box->setRange(MinPageBudget, MaxPageBudget);
        box->setValue(value);
        return box;
    };
    speHourBudget = budgetBox(u"speHourBudget"_s, DefaultHourBudget);
    lblHourBudget = Named(new QLabel(u"per hour"_s, grpPageBudget), u"lblHourBudget"_s);
    speDayBudget = budgetBox(u"speDayBudget"_s, DefaultDayBudget);
    lblDayBudget = Named(new QLabel(u"per day"_s, grpPageBudget), u"lblDayBudget"_s);
    lblHourBudget->setBuddy(speHourBudget);
    lblDayBudget->setBuddy(speDayBudget);

    auto *row = new QHBoxLayout(grpPageBudget);
    row->addWidget(speHourBudget);
    row->addWidget(lblHourBudget);
    row->addSpacing(20);
    row->addWidget(speDayBudget);
    row->addWidget(lblDayBudget);
    row->addStretch();
    return grpPageBudget;
}

void SettingsDialogUi::setupDataTab() {
    QWidget *tab = TabSheet2;
    lblColumns = Named(new QLabel(u"Columns to Export:"_s, tab), u"lblColumns"_s);
    chlColumns = Named(new QListWidget(tab), u"chlColumns"_s);
    // Items run down each column and wrap into the next, three columns wide.
    chlColumns->setFlow(QListView::TopToBottom);
    chlColumns->setWrapping(true);
    chlColumns->setResizeMode(QListView::Adjust);
    chlColumns->setGridSize(QSize(178, 18));
    chlColumns->setSelectionMode(QAbstractItemView::SingleSelection);

    rbtExportManually = Named(new QRadioButton(u"Export results manually"_s, tab), u"rbtExportManually"_s);
    rbtExportAutomatic =
        Named(new QRadioButton(u"Export results automatically to a folder"_s, tab), u"rbtExportAutomatic"_s);
    exportGroup = new QButtonGroup(tab);
    exportGroup->addButton(rbtExportManually);
    exportGroup->addButton(rbtExportAutomatic);
    rbtExportManually->setChecked(true);
    edtFolder = Named(new QLineEdit(tab), u"edtFolder"_s);
    edtFolder->setEnabled(false);
    btnBrowse = Named(new QPushButton(u"Browse"_s, tab), u"btnBrowse"_s);
    btnBrowse->setEnabled(false);
    btnBrowse->setAutoDefault(false);
    lblExportFormat = Named(new QLabel(u"File format:"_s, tab), u"lblExportFormat"_s);
    lblExportFormat->setEnabled(false);
    cbxExportFormat = Named(new QComboBox(tab), u"cbxExportFormat"_s);
    cbxExportFormat->addItems({u"CSV"_s, u"Excel workbook (XLSX)"_s});
    cbxExportFormat->setEnabled(false);
    lblExportFormat->setBuddy(cbxExportFormat);

    lblDelimiterHeader = Named(new QLabel(u"Enter a delimiter char to separate columns when you export data. Ex: for "
                                          u"USA default char is comma (,) but in Italy is the semicolon (;)"_s,
                                          tab),
                               u"lblDelimiterHeader"_s);
    lblDelimiterHeader->setWordWrap(true);
    lblDelimiterHeader->setFixedWidth(540);
    lblDelimiter = Named(new QLabel(u"Delimiter Char:"_s, tab), u"lblDelimiter"_s);
    edtDelimiter = Named(new QLineEdit(u","_s, tab), u"edtDelimiter"_s);
    edtDelimiter->setMaxLength(1);
    edtDelimiter->setFixedWidth(30);
    lblDelimiter->setBuddy(edtDelimiter);
    chkExtractEmails = Named(new QCheckBox(u"Extract emails from websites (Will slow the extraction process)"_s, tab),
                             u"chkExtractEmails"_s);
    chkCompleteFromGoogle =
        Named(new QCheckBox(u"Complete data from Google Maps  (Will slow the extraction process)"_s, tab),
              u"chkCompleteFromGoogle"_s);
    chkCheckMailServers =
        Named(new QCheckBox(u"Check that each e-mail domain has a mail server"_s, tab), u"chkCheckMailServers"_s);
    chkLeaveOutLibraryCompanies =
        Named(new QCheckBox(u"Leave out companies already in the library"_s, tab), u"chkLeaveOutLibraryCompanies"_s);
    chkExportOnlyNewRows =
        Named(new QCheckBox(u"Export only rows not exported before"_s, tab), u"chkExportOnlyNewRows"_s);

    auto *folder = new QHBoxLayout;
    folder->setContentsMargins(20, 0, 0, 0);
    folder->addWidget(edtFolder, 1);
    folder->addWidget(btnBrowse);
    folder->addWidget(lblExportFormat);
    folder->addWidget(cbxExportFormat);
    auto *delimiter = new QHBoxLayout;
    delimiter->addWidget(lblDelimiter);
    delimiter->addWidget(edtDelimiter);
    delimiter->addStretch();

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(lblColumns);
    layout->addWidget(chlColumns, 1);
    layout->addWidget(HorizontalRule(tab));
    layout->addWidget(rbtExportManually);
    layout->addWidget(rbtExportAutomatic);
    layout->addLayout(folder);
    lblFolderNote = Named(new QLabel(tab), u"lblFolderNote"_s);
    lblFolderNote->setWordWrap(true);
    lblFolderNote->setContentsMargins(20, 0, 0, 0);
    lblFolderNote->hide();
    layout->addWidget(lblFolderNote);
    layout->addWidget(HorizontalRule(tab));
    layout->addWidget(lblDelimiterHeader);
    layout->addLayout(delimiter);
    layout->addWidget(HorizontalRule(tab));
    layout->addWidget(chkExtractEmails);
    // Indented under the harvest it depends on.
    auto *mailServers = new QHBoxLayout;
    mailServers->setContentsMargins(20, 0, 0, 0);
    mailServers->addWidget(chkCheckMailServers);
    layout->addLayout(mailServers);
    layout->addWidget(chkCompleteFromGoogle);
    layout->addWidget(HorizontalRule(tab));
    layout->addWidget(chkLeaveOutLibraryCompanies);
    layout->addWidget(chkExportOnlyNewRows);
}
