#include "gui/settings/folderbrowser.h"

#include "core/app/dialogs.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScreen>

#include <deque>

using namespace Qt::StringLiterals;

namespace {

std::deque<std::optional<QString>> &nextAnswers() {
    static std::deque<std::optional<QString>> answers;
    return answers;
}

QLineEdit *PathEdit(const QFileDialog *dialog) {
    return dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
}

} // namespace

FolderBrowser::FolderBrowser(Dialogs &dialogs, QWidget *parent)
    : QFileDialog(parent, u"Select a directory"_s), m_dialogs(dialogs) {
    // Qt's own dialog, so the typed path can be checked before the browser closes.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::ShowDirsOnly, true);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    setDirectory(QDir::homePath());
}

std::optional<QString> FolderBrowser::Choose(Dialogs &dialogs, QWidget *parent) {
    if (!nextAnswers().empty()) {
        auto answer = nextAnswers().front();
        nextAnswers().pop_front();
        return answer;
    }
    FolderBrowser browser(dialogs, parent);
    // Centred on the screen of the window that opened it.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        browser.adjustSize();
        QRect frame = browser.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        browser.move(frame.topLeft());
    }
    if (browser.exec() != QDialog::Accepted || browser.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(QDir::cleanPath(browser.selectedFiles().constFirst()));
}

void FolderBrowser::setNextAnswer(std::optional<QString> folder) {
    nextAnswers().push_back(std::move(folder));
}

std::optional<QString> FolderBrowser::CheckTypedPath(const QString &typed, const QString &shownFolder) {
    if (typed.isEmpty()) {
        return std::nullopt;
    }
    const QString path = QDir(shownFolder).absoluteFilePath(typed);
    if (QFileInfo(path).isDir()) {
        return std::nullopt;
    }
    return u"\""_s + typed + u"\" is an invalid path"_s;
}

QString FolderBrowser::typedPath() const {
    const QLineEdit *edit = PathEdit(this);
    return edit ? edit->text() : QString();
}

void FolderBrowser::setTypedPath(const QString &text) {
    // As when the user types afresh: no folder stays selected in the views, whose names would
    // otherwise be joined into the path box.
    for (QAbstractItemView *view : findChildren<QAbstractItemView *>()) {
        if (view->selectionModel()) {
            view->selectionModel()->clearSelection();
        }
    }
    if (QLineEdit *edit = PathEdit(this)) {
        edit->setText(text);
    }
}

void FolderBrowser::accept() {
    if (const auto refusal = CheckTypedPath(typedPath(), directory().absolutePath())) {
        m_dialogs.showMessage(Dialogs::Icon::Error, *refusal);
        return;
    }
    QFileDialog::accept();
}
