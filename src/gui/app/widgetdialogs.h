#pragma once

#include "core/app/dialogs.h"

#include <QPointer>

#include <deque>
#include <functional>

class QWidget;

// Real message boxes and file dialogs. Tests answer them through the seams below instead of
// a person: the next answers are queued, and each dialog asked for is recorded.
class WidgetDialogs : public Dialogs {
public:
    explicit WidgetDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void showMessage(Icon icon, const QString &text) override;
    // A box that is not modal and closes itself when dismissed.
    void showNotice(Icon icon, const QString &text) override;
    void showMessageWithDetail(Icon icon, const QString &text, const QString &detail) override;
    bool confirm(Icon icon, const QString &text) override;
    Choice choose(Icon icon, const QString &text, const QString &accept, const QString &reject) override;
    std::optional<QString> getSaveFileName(const SaveFileRequest &request) override;
    std::optional<SaveFileChoice> getSaveFile(const SaveFileRequest &request) override;

    // Seams for tests: when an answer is queued, no dialog is shown.
    static void setNextConfirmAnswer(bool ok);
    // Answers the next question, of either kind; Undecided answers a confirmation with Cancel.
    static void setNextChoice(Choice choice);
    static void setNextSaveFileName(std::optional<QString> path);
    // Called with the text of every message or question instead of showing it, while set; a
    // detail comes after the text, separated by an empty line, as the box shows it.
    static void setMessageObserver(std::function<void(Icon, const QString &)> observer);

private:
    QPointer<QWidget> m_parent;
};
