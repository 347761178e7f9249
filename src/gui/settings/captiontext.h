#pragma once

#include <QString>

class QWidget;

// A caption with "&" marking the accelerator and "&&" one ampersand, as plain text: the single
// markers dropped, each doubled one shown once.
QString PlainCaption(const QString &caption);

// Gives widget its caption the way its kind shows one: buttons, check boxes, radio buttons and
// labels with a buddy take accelerators; other labels and group boxes show the plain text.
void SetCaption(QWidget *widget, const QString &caption);
