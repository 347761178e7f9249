#include "gui/settings/settingsdialog.h"

#include "core/app/appcontext.h"
#include "core/app/dialogs.h"
#include "core/net/proxystep.h"
#include "core/settings/languagefile.h"
#include "core/settings/settingsstore.h"
#include "gui/settings/captiontext.h"
#include "gui/settings/folderbrowser.h"
#include "gui/settings/settingsnotes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString proxyAddressMessage = u"Please enter a valid proxy server address and port."_s;
const QString proxyListMessage = u"Please enter at least one valid proxy."_s;

// The lines as the user ended them; the edit's on-screen wrapping adds none.
QStringList MemoLines(const QPlainTextEdit *memo) {
    const QString text = memo->toPlainText();
    if (text.isEmpty()) {
        return {};
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    // A line break at the very end adds no empty line, as in the settings file.
    if (lines.size() > 1 && lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// The memo's text for lines, the inverse of MemoLines: a last line that is empty (a list entry
// meaning "go direct") gets its own line break, so it survives being read back.
QString MemoText(const QStringList &lines) {
    QString text = lines.join(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty()) {
        text += QLatin1Char('\n');
    }
    return text;
}

// The proxy step would find a proxy in lines.
bool AnyUsableProxy(const QStringList &lines) {
    return std::any_of(lines.cbegin(), lines.cend(),
                       [](const QString &line) { return ParseProxyEntry(line).has_value(); });
}

} // namespace

SettingsDialog::SettingsDialog(AppContext &context, const QStringList &columnCaptions, QWidget *parent)
    : QDialog(parent), m_context(context), m_executableFolder(QCoreApplication::applicationDirPath()) {
    m_ui.setupUi(this);
    m_notes = new SettingsNotes(m_ui, this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ConnectHandlers();
    FormCreate(columnCaptions);
}

void SettingsDialog::ConnectHandlers() {
    // Selecting a radio button or changing a check box runs its handler, whether the user or
    // FormCreate does it.
    connect(m_ui.rbtNoProxy, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            ApplyProxyRule();
        }
    });
    connect(m_ui.rbtProxy, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            ApplyProxyRule();
        }
    });
    connect(m_ui.rbtRandom, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            rbtRandomClick();
        }
    });
    connect(m_ui.chkAuthentification, &QCheckBox::toggled, this, &SettingsDialog::chkAuthentificationClick);
    connect(m_ui.rbtExportManually, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            ApplyExportRule();
        }
    });
    connect(m_ui.rbtExportAutomatic, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            ApplyExportRule();
        }
    });
    // The day's budget is never below the hour's: raising the hour raises the day with it.
    connect(m_ui.speHourBudget, &QSpinBox::valueChanged, m_ui.speDayBudget, &QSpinBox::setMinimum);
    m_ui.speDayBudget->setMinimum(m_ui.speHourBudget->value());
    // Mail servers are only checked for the addresses a harvest finds.
    connect(m_ui.chkExtractEmails, &QCheckBox::toggled, m_ui.chkCheckMailServers, &QCheckBox::setEnabled);
    connect(m_ui.btnOk, &QPushButton::clicked, this, &SettingsDialog::btnOkClick);
    connect(m_ui.btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui.btnBrowse, &QPushButton::clicked, this, &SettingsDialog::btnBrowseClick);
    connect(m_ui.btnFreeProxies, &QPushButton::clicked, this, &SettingsDialog::btnFreeProxiesClick);
}

void SettingsDialog::FormCreate(const QStringList &columnCaptions) {
    const AppSettings &settings = m_context.settings;
    m_ui.pgcSettings->setCurrentIndex(0);

    for (int column = 0; column < columnCaptions.size(); ++column) {
        auto *item = new QListWidgetItem(columnCaptions.at(column), m_ui.chlColumns);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(IsColumnSelected(settings.eExportFields, column) ? Qt::Checked : Qt::Unchecked);
    }

    SetRadio(m_ui.rbtNoProxy, settings.rNoProxy);
    SetRadio(m_ui.rbtProxy, settings.rUseProxy);
    SetRadio(m_ui.rbtRandom, settings.rRandomProxy);
    m_ui.memRandomProxies->setPlainText(MemoText(settings.eRandomProxies));
    m_ui.chkAuthentification->setChecked(settings.rAuthentification);
    m_ui.edtHost->setText(settings.eHost);
    m_ui.edtPort->setText(settings.ePort);
    m_ui.edtUsername->setText(settings.eUserName);
    m_ui.edtPassword->setText(settings.ePassword);
    m_ui.speRandom->setText(settings.eRandom);
    m_ui.edtQueuePause->setText(settings.eQueuePause);
    m_ui.chkExtractEmails->setChecked(settings.cExtractEmails);
    m_ui.chkCheckMailServers->setEnabled(settings.cExtractEmails);
    ApplyProxyRule();
    m_ui.speHourBudget->setValue(settings.eHourBudget);
    m_ui.speDayBudget->setValue(settings.eDayBudget);

    SetRadio(m_ui.rbtExportManually, settings.cExportManually);
    SetRadio(m_ui.rbtExportAutomatic, settings.cExportAutomatic);
    m_ui.edtFolder->setText(settings.eExportFolder);
    m_ui.cbxExportFormat->setCurrentIndex(static_cast<int>(settings.eExportFormat));
    // One character is what the user may type; a longer stored delimiter is shown whole, so that
    // merely confirming the dialog keeps it.
    m_ui.edtDelimiter->setMaxLength(std::max<int>(1, static_cast<int>(settings.eDelimiter.size())));
    m_ui.edtDelimiter->setText(settings.eDelimiter);
    m_ui.chkCompleteFromGoogle->setChecked(settings.cCompleteFromGoogle);
    m_ui.chkCheckMailServers->setChecked(settings.cCheckMailServers);
    m_ui.chkLeaveOutLibraryCompanies->setChecked(settings.cLeaveOutLibraryCompanies);
    m_ui.chkExportOnlyNewRows->setChecked(settings.cExportOnlyNewRows);
}

// Selecting clears the others of the group; clearing the selected one leaves the group empty, so
// settings that choose none of the modes show none.
void SettingsDialog::SetRadio(QRadioButton *button, bool selected) {
    if (selected) {
        button->setChecked(true);
        return;
    }
    if (button->isChecked()) {
        QButtonGroup *group = button->group();
        group->setExclusive(false);
        button->setChecked(false);
        group->setExclusive(true);
    }
}

void SettingsDialog::ApplyProxyRule() {
    const bool fixed = m_ui.rbtProxy->isChecked();
    m_ui.edtHost->setEnabled(fixed);
    m_ui.edtPort->setEnabled(fixed);
    m_ui.chkAuthentification->setEnabled(fixed);
    m_ui.edtUsername->setEnabled(fixed && m_ui.chkAuthentification->isChecked());
    m_ui.edtPassword->setEnabled(fixed && m_ui.chkAuthentification->isChecked());
    m_ui.memRandomProxies->setEnabled(m_ui.rbtRandom->isChecked());
}

void SettingsDialog::rbtRandomClick() {
    const bool random = m_ui.rbtRandom->isChecked();
    for (QWidget *widget : {static_cast<QWidget *>(m_ui.edtHost), static_cast<QWidget *>(m_ui.edtPort),
                            static_cast<QWidget *>(m_ui.chkAuthentification), static_cast<QWidget *>(m_ui.edtUsername),
                            static_cast<QWidget *>(m_ui.edtPassword)}) {
        widget->setEnabled(!random);
    }
    m_ui.memRandomProxies->setEnabled(random);
}

void SettingsDialog::chkAuthentificationClick() {
    const bool enabled = m_ui.rbtProxy->isChecked() && m_ui.chkAuthentification->isChecked();
    m_ui.edtUsername->setEnabled(enabled);
    m_ui.edtPassword->setEnabled(enabled);
}

void SettingsDialog::ApplyExportRule() {
    const bool automatic = !m_ui.rbtExportManually->isChecked();
    m_ui.edtFolder->setEnabled(automatic);
    m_ui.btnBrowse->setEnabled(automatic);
    m_ui.lblExportFormat->setEnabled(automatic);
    m_ui.cbxExportFormat->setEnabled(automatic);
}

QString SettingsDialog::CountExportFields() const {
    QString fields;
    for (int row = 0; row < m_ui.chlColumns->count(); ++row) {
        if (m_ui.chlColumns->item(row)->checkState() == Qt::Checked) {
            if (!fields.isEmpty()) {
                fields += QLatin1Char(',');
            }
            fields += QString::number(row);
        }
    }
    return fields;
}

// The checks run before anything is written: a refused "Ok" followed by "Cancel" leaves every
// setting as it was, so the requests of a running extraction never see a proxy mode that was
// neither confirmed nor saved.
void SettingsDialog::btnOkClick() {
    const bool useProxy = m_ui.rbtProxy->isChecked();
    const bool randomProxy = m_ui.rbtRandom->isChecked();
    if (useProxy && (m_ui.edtHost->text().isEmpty() || m_ui.edtPort->text().isEmpty())) {
        m_context.dialogs.showMessage(Dialogs::Icon::Warning, proxyAddressMessage);
        return;
    }
    if (randomProxy && !AnyUsableProxy(MemoLines(m_ui.memRandomProxies))) {
        m_context.dialogs.showMessage(Dialogs::Icon::Warning, proxyListMessage);
        return;
    }

    AppSettings &settings = m_context.settings;
    settings.rNoProxy = m_ui.rbtNoProxy->isChecked();
    settings.rUseProxy = useProxy;
    settings.rRandomProxy = randomProxy;
    settings.rAuthentification = m_ui.chkAuthentification->isChecked();
    settings.eHost = m_ui.edtHost->text();
    settings.ePort = m_ui.edtPort->text();
    settings.eUserName = m_ui.edtUsername->text();
    settings.ePassword = m_ui.edtPassword->text();
    settings.eExportFields = CountExportFields();
    settings.eRandom = m_ui.speRandom->text();
    // An emptied field keeps the default rather than no pause at all.
    settings.eQueuePause = m_ui.edtQueuePause->text().isEmpty() ? u"30"_s : m_ui.edtQueuePause->text();
    settings.eRandomProxies = MemoLines(m_ui.memRandomProxies);
    settings.cExtractEmails = m_ui.chkExtractEmails->isChecked();
    settings.cCompleteFromGoogle = m_ui.chkCompleteFromGoogle->isChecked();
    settings.cCheckMailServers = m_ui.chkCheckMailServers->isChecked();
    settings.cLeaveOutLibraryCompanies = m_ui.chkLeaveOutLibraryCompanies->isChecked();
    settings.cExportOnlyNewRows = m_ui.chkExportOnlyNewRows->isChecked();
    settings.cExportManually = m_ui.rbtExportManually->isChecked();
    settings.cExportAutomatic = m_ui.rbtExportAutomatic->isChecked();
    settings.eExportFolder = m_ui.edtFolder->text();
    settings.eExportFormat = m_ui.cbxExportFormat->currentIndex() == 1 ? ExportFormat::Xlsx : ExportFormat::Csv;
    settings.eDelimiter = m_ui.edtDelimiter->text();
    settings.eHourBudget = m_ui.speHourBudget->value();
    settings.eDayBudget = m_ui.speDayBudget->value();
    accept();
}

// A cancelled browser keeps the folder shown before, rather than blanking the field.
void SettingsDialog::btnBrowseClick() {
    if (const auto folder = FolderBrowser::Choose(m_context.dialogs, this)) {
        m_ui.edtFolder->setText(*folder);
    }
}

void SettingsDialog::btnFreeProxiesClick() {
    Q_EMIT linkActivated(m_context.endpoints.proxyAdviceUrl);
}

void SettingsDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void SettingsDialog::FormShow() {
    LoadLanguage(m_context.settings.CurrLang);
    if (const QScreen *current = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(current->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SettingsDialog::LoadLanguage(const QString &code) {
    const LanguageSections sections =
        ReadLanguageSections(LanguageFilePath(m_executableFolder, code), SettingsDialogTags());
    if (sections.loaded()) {
        ApplyLanguageSections(sections.texts);
    }
}

void SettingsDialog::ApplyLanguageSections(const QHash<QString, QString> &sections) {
    const auto text = [&sections](const char16_t *tag) {
        return sections.value(QString::fromUtf16(tag));
    };
    setWindowTitle(text(u"settings1"));
    m_ui.pgcSettings->setTabText(0, text(u"settings2"));
    m_ui.pgcSettings->setTabText(1, text(u"settings3"));
    const std::pair<const char16_t *, QWidget *> targets[] = {
        {u"settings4", m_ui.rbtNoProxy},
        {u"settings5", m_ui.rbtProxy},
        {u"settings6", m_ui.lblHost},
        {u"settings7", m_ui.lblPort},
        {u"settings8", m_ui.chkAuthentification},
        {u"settings9", m_ui.lblUsername},
        {u"settings10", m_ui.lblPassword},
        {u"settings11", m_ui.rbtRandom},
        {u"settings12", m_ui.lblRandomDelay},
        {u"settings13", m_ui.lblSeconds},
        {u"settings14", m_ui.btnFreeProxies},
        {u"settings15", m_ui.btnOk},
        {u"settings16", m_ui.btnCancel},
        {u"settings17", m_ui.lblColumns},
        {u"settings18", m_ui.rbtExportManually},
        {u"settings19", m_ui.rbtExportAutomatic},
        {u"settings20", m_ui.btnBrowse},
        {u"settings22", m_ui.lblDelimiter},
        {u"settings23", m_ui.chkExtractEmails},
        {u"settings29", m_ui.chkCompleteFromGoogle},
        {u"settings55", m_ui.chkCheckMailServers},
        {u"settings65", m_ui.chkLeaveOutLibraryCompanies},
        {u"settings66", m_ui.chkExportOnlyNewRows},
        {u"settings40", m_ui.grpPageBudget},
        {u"settings41", m_ui.lblHourBudget},
        {u"settings42", m_ui.lblDayBudget},
        {u"settings50", m_ui.lblExportFormat},
        {u"settings60", m_ui.lblQueuePause},
        {u"settings61", m_ui.lblQueueSeconds},
    };
    for (const auto &[tag, widget] : targets) {
        SetCaption(widget, text(tag));
    }
    m_ui.cbxExportFormat->setItemText(0, text(u"settings51"));
    m_ui.cbxExportFormat->setItemText(1, text(u"settings52"));
    // The header keeps its width, so a longer text wraps onto more lines instead.
    const int headerWidth = m_ui.lblDelimiterHeader->width();
    SetCaption(m_ui.lblDelimiterHeader, text(u"settings21"));
    m_ui.lblDelimiterHeader->setFixedWidth(headerWidth);
    m_notes->ApplyLanguageSections(sections);
    // Laid out for the new texts at once, not at the next pass of the event loop.
    m_ui.grpPageBudget->layout()->activate();
    m_ui.TabSheet1->layout()->activate();
    m_ui.TabSheet2->layout()->activate();
    layout()->activate();
}
