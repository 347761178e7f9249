#pragma once

#include <QFileDialog>
#include <QString>

#include <optional>

class Dialogs;

// The folder browser of the settings dialog: folders only, a button for a new folder and an edit
// box for typing a path. A typed path that is not a folder is refused with a message and the
// browser stays open.
class FolderBrowser : public QFileDialog {
    Q_OBJECT

public:
    FolderBrowser(Dialogs &dialogs, QWidget *parent = nullptr);

    // The folder the user confirms, or nothing when the browser is cancelled. A queued answer
    // (setNextAnswer) is returned instead of showing the browser.
    static std::optional<QString> Choose(Dialogs &dialogs, QWidget *parent);
    static void setNextAnswer(std::optional<QString> folder);

    // The refusal for a typed path, relative to the folder shown; nothing when the path is a folder
    // or nothing was typed.
    static std::optional<QString> CheckTypedPath(const QString &typed, const QString &shownFolder);

    // The text of the path box.
    QString typedPath() const;
    void setTypedPath(const QString &text);

public Q_SLOTS:
    void accept() override;

private:
    Dialogs &m_dialogs;
};
