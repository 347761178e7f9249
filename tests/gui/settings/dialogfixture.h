#pragma once

#include "core/model/leadrow.h"
#include "core/settings/settingsstore.h"
#include "gui/settings/settingsdialog.h"
#include "support/testcontext.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A settings dialog over default settings in a temporary program folder, as the main window
// makes it: fresh for every use, filled with the results list's captions.
class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ctx.host.documents = m_dir.filePath(QStringLiteral("Documents"));
        LoadSettings(ctx.context.settings, m_dir.filePath(QStringLiteral("absent.dat")), ctx.host.documents);
    }

    QStringList captions() const {
        QStringList list;
        for (const QString &caption : DefaultColumnCaptions()) {
            list.append(caption);
        }
        return list;
    }

    // A new dialog, shown as the main window shows it (which applies the current language).
    SettingsDialog &open(const QStringList &columnCaptions = {}) {
        m_dialog =
            std::make_unique<SettingsDialog>(ctx.context, columnCaptions.isEmpty() ? captions() : columnCaptions);
        m_dialog->setLanguageFolder(m_dir.path());
        m_dialog->show();
        return *m_dialog;
    }

    const SettingsDialogUi &ui() const { return m_dialog->ui(); }

    QList<int> tickedColumns() const {
        QList<int> ticked;
        for (int row = 0; row < ui().chlColumns->count(); ++row) {
            if (ui().chlColumns->item(row)->checkState() == Qt::Checked) {
                ticked.append(row);
            }
        }
        return ticked;
    }

    // Writes languages/<code>.dat under the dialog's program folder.
    void writeLanguage(const QString &code, const QByteArray &content) {
        QDir(m_dir.path()).mkpath(QStringLiteral("languages"));
        QFile file(m_dir.filePath(QStringLiteral("languages/") + code + QStringLiteral(".dat")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QString dirPath(const QString &name) const { return m_dir.filePath(name); }

    TestContext ctx;
    std::unique_ptr<SettingsDialog> m_dialog;

private:
    QTemporaryDir m_dir;
};
