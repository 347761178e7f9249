#pragma once

#include <QObject>

class QWidget;

// Swallows Ctrl+N (the new-window shortcut) on a widget and every widget later added inside it;
// the engine puts its keyboard-receiving child into the view only once a page is shown.
class NewWindowShortcutFilter : public QObject {
    Q_OBJECT

public:
    explicit NewWindowShortcutFilter(QWidget *watched);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QObject *object);
};
