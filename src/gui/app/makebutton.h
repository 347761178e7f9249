#pragma once

class QPushButton;
class QString;
class QWidget;

// A push button of the window: named name, showing caption, and never the dialog default, so
// Return in the address line does not press it.
QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption);
