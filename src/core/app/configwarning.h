#pragma once

#include "core/app/endpoints.h"

#include <QString>

class UiTexts;

// What the window says about the configuration file at path: that others may read the keys it
// holds (in the user's language), or why it could not be read; empty when all is well.
QString ConfigWarningText(const ConfigFile &config, const QString &path, const UiTexts &texts);
