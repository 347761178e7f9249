#include "gui/browser/newwindowshortcutfilter.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace {

bool IsNewWindowShortcut(const QEvent *event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride &&
        event->type() != QEvent::KeyRelease) {
        return false;
    }
    const auto *key = static_cast<const QKeyEvent *>(event);
    return key->key() == Qt::Key_N && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

NewWindowShortcutFilter::NewWindowShortcutFilter(QWidget *watched) : QObject(watched) {
    watch(watched);
}

bool NewWindowShortcutFilter::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::ChildAdded) {
        watch(static_cast<QChildEvent *>(event)->child());
        return false;
    }
    if (IsNewWindowShortcut(event)) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void NewWindowShortcutFilter::watch(QObject *object) {
    if (!object->isWidgetType()) {
        return;
    }
    object->installEventFilter(this);
    for (QObject *child : object->children()) {
        watch(child);
    }
}
