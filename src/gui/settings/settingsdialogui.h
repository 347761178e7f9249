#pragma once

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;

// The controls of the settings dialog, laid out with their built-in English texts. Every control
// carries its name as objectName, so tests and the language files find it.
struct SettingsDialogUi {
    void setupUi(QDialog *dialog);

    QTabWidget *pgcSettings = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;

    QButtonGroup *proxyGroup = nullptr;
    QRadioButton *rbtNoProxy = nullptr;
    QRadioButton *rbtProxy = nullptr;
    QLabel *lblHost = nullptr;
    QLineEdit *edtHost = nullptr;
    QLabel *lblPort = nullptr;
    QLineEdit *edtPort = nullptr;
    QCheckBox *chkAuthentification = nullptr;
    QLabel *lblUsername = nullptr;
    QLineEdit *edtUsername = nullptr;
    QLabel *lblPassword = nullptr;
    QLineEdit *edtPassword = nullptr;
    QRadioButton *rbtRandom = nullptr;
    QPlainTextEdit *memRandomProxies = nullptr;
    QLabel *lblProxyNote = nullptr; // the list lines the proxy step passes over; hidden when none
    QLabel *lblRandomDelay = nullptr;
    QLineEdit *speRandom = nullptr;
    QLabel *lblSeconds = nullptr;
    QLabel *lblQueuePause = nullptr;
    QLineEdit *edtQueuePause = nullptr;
    QLabel *lblQueueSeconds = nullptr;
    QPushButton *btnFreeProxies = nullptr;
    QGroupBox *grpPageBudget = nullptr;
    QSpinBox *speHourBudget = nullptr;
    QLabel *lblHourBudget = nullptr;
    QSpinBox *speDayBudget = nullptr;
    QLabel *lblDayBudget = nullptr;

    QLabel *lblColumns = nullptr;
    QListWidget *chlColumns = nullptr;
    QButtonGroup *exportGroup = nullptr;
    QRadioButton *rbtExportManually = nullptr;
    QRadioButton *rbtExportAutomatic = nullptr;
    QLineEdit *edtFolder = nullptr;
    QPushButton *btnBrowse = nullptr;
    QLabel *lblFolderNote = nullptr; // what becomes of a folder that does not exist; hidden when it does
    QLabel *lblExportFormat = nullptr;
    QComboBox *cbxExportFormat = nullptr; // items in ExportFormat order
    QLabel *lblDelimiterHeader = nullptr;
    QLabel *lblDelimiter = nullptr;
    QLineEdit *edtDelimiter = nullptr;
    QCheckBox *chkExtractEmails = nullptr;
    QCheckBox *chkCompleteFromGoogle = nullptr;
    QCheckBox *chkCheckMailServers = nullptr;
    QCheckBox *chkLeaveOutLibraryCompanies = nullptr;
    QCheckBox *chkExportOnlyNewRows = nullptr;

    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;

private:
    void setupConnectionsTab();
    QGroupBox *setupPageBudget(QWidget *tab);
    void setupDataTab();
};
