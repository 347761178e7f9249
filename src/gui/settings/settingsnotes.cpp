#include "gui/settings/settingsnotes.h"

#include "core/export/automaticsave.h"
#include "core/net/proxystep.h"
#include "core/settings/languagetags.h"
#include "gui/settings/settingsdialogui.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

const QStringList NoteTags = {u"settings45"_s, u"settings46"_s, u"settings47"_s};

void ShowNote(QLabel *label, const QString &text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

} // namespace

SettingsNotes::SettingsNotes(const SettingsDialogUi &ui, QObject *parent) : QObject(parent), m_ui(ui) {
    for (const LanguageTag &entry : SettingsDialogTags()) {
        if (NoteTags.contains(entry.tag)) {
            m_texts.insert(entry.tag, entry.builtInText);
        }
    }
    connect(m_ui.memRandomProxies, &QPlainTextEdit::textChanged, this, &SettingsNotes::ShowProxyNote);
    connect(m_ui.rbtRandom, &QRadioButton::toggled, this, &SettingsNotes::ShowProxyNote);
    connect(m_ui.edtFolder, &QLineEdit::textChanged, this, &SettingsNotes::ShowFolderNote);
    connect(m_ui.rbtExportAutomatic, &QRadioButton::toggled, this, &SettingsNotes::ShowFolderNote);
    ShowProxyNote();
    ShowFolderNote();
}

void SettingsNotes::ApplyLanguageSections(const QHash<QString, QString> &sections) {
    for (const QString &tag : NoteTags) {
        if (const QString text = sections.value(tag); !text.isEmpty()) {
            m_texts.insert(tag, text);
        }
    }
    ShowProxyNote();
    ShowFolderNote();
}

// Lines are numbered as the user sees them; blank lines, which the step also passes over, are
// left out of the note, as they are plainly no proxy.
void SettingsNotes::ShowProxyNote() {
    QStringList passedOver;
    if (m_ui.rbtRandom->isChecked()) {
        const QStringList lines = m_ui.memRandomProxies->toPlainText().split(u'\n');
        for (qsizetype number = 0; number < lines.size(); ++number) {
            if (!lines.at(number).trimmed().isEmpty() && !ParseProxyEntry(lines.at(number))) {
                passedOver.append(QString::number(number + 1));
            }
        }
    }
    const QString text = m_texts.value(u"settings45"_s);
    ShowNote(m_ui.lblProxyNote,
             passedOver.isEmpty() ? QString() : QString(text).replace(u"[VAR1]"_s, passedOver.join(u", "_s)));
}

void SettingsNotes::ShowFolderNote() {
    const QString folder = m_ui.edtFolder->text();
    QString note;
    if (m_ui.rbtExportAutomatic->isChecked() && !folder.isEmpty() && !QFileInfo(folder).isDir()) {
        note = m_texts.value(ExportFolderCanBeCreated(folder) ? u"settings46"_s : u"settings47"_s);
    }
    ShowNote(m_ui.lblFolderNote, note);
}
