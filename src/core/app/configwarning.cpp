#include "core/app/configwarning.h"

#include "core/settings/uitexts.h"

QString ConfigWarningText(const ConfigFile &config, const QString &path, const UiTexts &texts) {
    if (config.othersMayRead) {
        const QString text = texts.format(QStringLiteral("main158"), path);
        return text.isEmpty() ? config.warning : text;
    }
    return config.warning;
}
