#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One section a window reads from a language file: its tag ("main4") and the text the window
// shows before any language file is applied (empty for the message texts, which have none).
struct LanguageTag {
    QString tag;
    QString builtInText;
};

// Tags in the order a window reads them; a file must hold each window's sections in this order.
using LanguageTable = std::vector<LanguageTag>;

// main1, main4..main8, main12..main20, main35..main43, main45..main66, main71..main90, main92,
// main100, main101, main110..main117, main120, main121, main130, main131, main140..main160, main200..main206.
const LanguageTable &MainWindowTags();
// settings1..settings23, settings29, settings40..settings42, settings45..settings47.
const LanguageTable &SettingsDialogTags();
// The tags of the message and status texts (UiTexts): main45..main66, main92, main100, main101,
// main110..main117, main120, main121, main130, main131, main140..main160 and main200..main206.
const QStringList &UiTextTags();

// The tag of the caption of results-list column `column` (main71 + column).
QString ColumnCaptionTag(int column);
