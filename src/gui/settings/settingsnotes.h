#pragma once

#include <QHash>
#include <QObject>
#include <QString>

struct SettingsDialogUi;

// The settings dialog's notes under its fields, kept up to date while the user types: the proxy
// list lines the proxy step will pass over, and an automatic export folder that does not exist
// yet (made when a run starts) or cannot be made at all.
class SettingsNotes : public QObject {
    Q_OBJECT

public:
    explicit SettingsNotes(const SettingsDialogUi &ui, QObject *parent = nullptr);

    // Takes the notes' texts from a language file's sections; a missing tag keeps the built-in text.
    void ApplyLanguageSections(const QHash<QString, QString> &sections);

private:
    void ShowProxyNote();
    void ShowFolderNote();

    const SettingsDialogUi &m_ui;
    QHash<QString, QString> m_texts;
};
