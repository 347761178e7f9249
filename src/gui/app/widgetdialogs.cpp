#include "gui/app/widgetdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

std::deque<Dialogs::Choice> &confirmAnswers() {
    static std::deque<Dialogs::Choice> answers;
    return answers;
}

std::optional<Dialogs::Choice> NextAnswer() {
    if (confirmAnswers().empty()) {
        return std::nullopt;
    }
    const Dialogs::Choice answer = confirmAnswers().front();
    confirmAnswers().pop_front();
    return answer;
}

std::deque<std::optional<QString>> &saveFileNames() {
    static std::deque<std::optional<QString>> names;
    return names;
}

std::function<void(Dialogs::Icon, const QString &)> &messageObserver() {
    static std::function<void(Dialogs::Icon, const QString &)> observer;
    return observer;
}

QMessageBox::Icon ToBoxIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// A hyphen inside a word becomes a non-breaking one, so a name such as "xdg-open" never wraps
// onto two lines of the box.
QString KeepHyphenatedWordsWhole(QString text) {
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        if (text.at(i) == u'-' && text.at(i - 1).isLetterOrNumber() && text.at(i + 1).isLetterOrNumber()) {
            text[i] = QChar(0x2011);
        }
    }
    return text;
}

} // namespace

void WidgetDialogs::setNextConfirmAnswer(bool ok) {
    confirmAnswers().push_back(ok ? Choice::Accept : Choice::Reject);
}

void WidgetDialogs::setNextChoice(Choice choice) {
    confirmAnswers().push_back(choice);
}

void WidgetDialogs::setNextSaveFileName(std::optional<QString> path) {
    saveFileNames().push_back(std::move(path));
}

void WidgetDialogs::setMessageObserver(std::function<void(Icon, const QString &)> observer) {
    messageObserver() = std::move(observer);
}

void WidgetDialogs::showMessage(Icon icon, const QString &text) {
    if (messageObserver()) {
        messageObserver()(icon, text);
        return;
    }
    QMessageBox box(ToBoxIcon(icon), QApplication::applicationDisplayName(), text, QMessageBox::Ok, m_parent);
    box.exec();
}

void WidgetDialogs::showNotice(Icon icon, const QString &text) {
    if (messageObserver()) {
        messageObserver()(icon, text);
        return;
    }
    auto *box =
        new QMessageBox(ToBoxIcon(icon), QApplication::applicationDisplayName(), text, QMessageBox::Ok, m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

void WidgetDialogs::showMessageWithDetail(Icon icon, const QString &text, const QString &detail) {
    // The detail stays as it is: the user copies it.
    const QString whole = KeepHyphenatedWordsWhole(text) + QStringLiteral("\n\n") + detail;
    if (messageObserver()) {
        messageObserver()(icon, whole);
        return;
    }
    QMessageBox box(ToBoxIcon(icon), QApplication::applicationDisplayName(), whole, QMessageBox::Ok, m_parent);
    // Plain text: the detail may come from a web page, and is shown, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

bool WidgetDialogs::confirm(Icon icon, const QString &text) {
    if (messageObserver()) {
        messageObserver()(icon, text);
    }
    if (const std::optional<Choice> answer = NextAnswer()) {
        return *answer == Choice::Accept;
    }
    QMessageBox box(ToBoxIcon(icon), QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok | QMessageBox::Cancel, m_parent);
    return box.exec() == QMessageBox::Ok;
}

Dialogs::Choice WidgetDialogs::choose(Icon icon, const QString &text, const QString &accept, const QString &reject) {
    if (messageObserver()) {
        messageObserver()(icon, text);
    }
    if (const std::optional<Choice> answer = NextAnswer()) {
        return *answer;
    }
    QMessageBox box(ToBoxIcon(icon), QApplication::applicationDisplayName(), text, QMessageBox::NoButton, m_parent);
    QPushButton *acceptButton = box.addButton(accept, QMessageBox::AcceptRole);
    QPushButton *rejectButton = box.addButton(reject, QMessageBox::DestructiveRole);
    // Escape and the close box press this unseen button: neither answer is taken by mistake.
    QPushButton *undecided = box.addButton(QMessageBox::Cancel);
    undecided->hide();
    box.setEscapeButton(undecided);
    box.setDefaultButton(acceptButton);
    box.exec();
    if (box.clickedButton() == acceptButton) {
        return Choice::Accept;
    }
    return box.clickedButton() == rejectButton ? Choice::Reject : Choice::Undecided;
}

std::optional<QString> WidgetDialogs::getSaveFileName(const SaveFileRequest &request) {
    std::optional<SaveFileChoice> choice = getSaveFile(request);
    if (!choice) {
        return std::nullopt;
    }
    return std::move(choice->path);
}

std::optional<Dialogs::SaveFileChoice> WidgetDialogs::getSaveFile(const SaveFileRequest &request) {
    if (!saveFileNames().empty()) {
        auto answer = saveFileNames().front();
        saveFileNames().pop_front();
        if (!answer) {
            return std::nullopt;
        }
        return SaveFileChoice{std::move(*answer), 0};
    }
    // Each "description|pattern" pair becomes one of Qt's filters, whose pattern sits in the
    // description's brackets; the pattern gives a typed name without extension its suffix.
    const QStringList parts = request.filter.split(QLatin1Char('|'));
    QStringList filters;
    QStringList suffixes;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        filters.append(parts[i]);
        suffixes.append(i + 1 < parts.size() ? parts[i + 1].section(QLatin1Char('.'), -1) : request.defaultSuffix);
    }
    QFileDialog dialog(m_parent, request.title, request.folder);
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(request.defaultSuffix);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &filters, &suffixes](const QString &filter) {
                         if (const qsizetype index = filters.indexOf(filter); index >= 0) {
                             dialog.setDefaultSuffix(suffixes[index]);
                         }
                     });
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const qsizetype filterIndex = std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()));
    return SaveFileChoice{dialog.selectedFiles().constFirst(), static_cast<int>(filterIndex)};
}
