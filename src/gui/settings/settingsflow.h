#pragma once

#include "core/settings/settingsstore.h"

#include <QString>
#include <QStringList>

#include <functional>

struct AppContext;
class BrowserPane;
class QWidget;
class RandomSource;

struct SettingsDialogRequest {
    QStringList columnCaptions; // the results list's current captions
    QString settingsPath;       // the settings file SaveSettings replaces
    QString executableFolder;   // the folder holding languages/
    // Opens an address of the dialog's links in the user's browser.
    std::function<void(const QString &)> openLink;
};

struct SettingsDialogOutcome {
    bool accepted = false;   // closed with "Ok"
    SaveSettingsResult save; // meaningful only when accepted
};

// The main window's "Settings" button: shows a fresh settings dialog modally; on "Ok" saves the
// settings and then points the browser pane at the chosen proxy. The proxy is applied also when
// the save fails, so the pane never keeps a proxy the user just turned off; the caller reports
// the failed save.
SettingsDialogOutcome RunSettingsDialog(AppContext &context, const SettingsDialogRequest &request, BrowserPane &pane,
                                        RandomSource &random, QWidget *parent);
