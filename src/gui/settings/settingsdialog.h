#pragma once

#include "gui/settings/settingsdialogui.h"

#include <QDialog>
#include <QHash>
#include <QString>
#include <QStringList>

struct AppContext;
class QRadioButton;
class SettingsNotes;

// The settings dialog: edits every value of AppSettings except the language. It copies the
// settings into its controls when created and back when "Ok" passes its checks; it is made anew
// for every use.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    // columnCaptions: the results list's current column captions, in column order.
    SettingsDialog(AppContext &context, const QStringList &columnCaptions, QWidget *parent = nullptr);

    // The folder holding the languages folder; the executable's folder unless set.
    void setLanguageFolder(const QString &executableFolder) { m_executableFolder = executableFolder; }

    // Applies the dialog's sections of the language file for code; a missing, empty or unreadable
    // file changes nothing.
    void LoadLanguage(const QString &code);
    // Applies sections already read (tag -> text); a missing tag blanks its target.
    void ApplyLanguageSections(const QHash<QString, QString> &sections);

    // The ticked column indices joined by ",".
    QString CountExportFields() const;

    const SettingsDialogUi &ui() const { return m_ui; }

Q_SIGNALS:
    // The proxy advice link: the address to show in the user's browser. Whoever made the dialog
    // opens it, so the opening may outlive the dialog.
    void linkActivated(const QString &address);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate(const QStringList &columnCaptions);
    void FormShow();
    void ConnectHandlers();
    void ApplyProxyRule();
    void rbtRandomClick();
    void chkAuthentificationClick();
    void ApplyExportRule();
    void btnOkClick();
    void btnBrowseClick();
    void btnFreeProxiesClick();
    void SetRadio(QRadioButton *button, bool selected);

    AppContext &m_context;
    SettingsDialogUi m_ui;
    SettingsNotes *m_notes = nullptr;
    QString m_executableFolder;
    bool m_shownOnce = false;
};
