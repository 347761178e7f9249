#include "gui/settings/settingsflow.h"

#include "core/app/appcontext.h"
#include "core/net/customproxy.h"
#include "gui/settings/settingsdialog.h"

SettingsDialogOutcome RunSettingsDialog(AppContext &context, const SettingsDialogRequest &request, BrowserPane &pane,
                                        RandomSource &random, QWidget *parent) {
    SettingsDialogOutcome outcome;
    SettingsDialog dialog(context, request.columnCaptions, parent);
    if (!request.executableFolder.isEmpty()) {
        dialog.setLanguageFolder(request.executableFolder);
    }
    if (request.openLink) {
        QObject::connect(&dialog, &SettingsDialog::linkActivated, &dialog, request.openLink);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return outcome;
    }
    outcome.accepted = true;
    outcome.save = SaveSettings(context.settings, request.settingsPath);
    SetCustomProxy(context.settings, pane, random);
    return outcome;
}
