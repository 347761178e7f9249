#pragma once

#include <QHash>
#include <QString>

#include <functional>

class QWidget;
class StatusSink;

// Where the main window's language sections go that are not widgets found by name.
struct MainWindowLanguageTargets {
    StatusSink *status = nullptr;                                             // panel 3 takes main43
    std::function<void(int column, const QString &caption)> setColumnCaption; // main71 + column
};

// Applies the main window's sections (tag -> text, as read from a language file; a missing tag
// blanks its target) to the window's widgets, found by objectName: the captions of the buttons
// and labels, the hints of the navigation images, the two tabs of pgcMain, the results header,
// status panel 3 and the 20 column captions. The UiTexts, the row counters of panels 1 and 2 and
// the news line are the caller's.
void ApplyMainWindowLanguage(QWidget *window, const QHash<QString, QString> &sections,
                             const MainWindowLanguageTargets &targets);
