#include "gui/settings/captiontext.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

QString PlainCaption(const QString &caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&')) {
                plain.append(QLatin1Char('&'));
                ++i;
            }
            continue;
        }
        plain.append(caption.at(i));
    }
    return plain;
}

void SetCaption(QWidget *widget, const QString &caption) {
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        button->setText(caption);
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        label->setText(label->buddy() ? caption : PlainCaption(caption));
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        group->setTitle(caption);
    } else if (widget) {
        widget->setWindowTitle(caption);
    }
}
