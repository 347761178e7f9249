#include "gui/settings/mainwindowlanguage.h"

#include "core/app/statussink.h"
#include "core/model/leadrow.h"
#include "core/settings/languagetags.h"
#include "gui/settings/captiontext.h"

#include <QTabWidget>
#include <QWidget>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

template<typename T = QWidget>
T *Find(QWidget *window, const QString &name) {
    return window->findChild<T *>(name);
}

} // namespace

void ApplyMainWindowLanguage(QWidget *window, const QHash<QString, QString> &sections,
                             const MainWindowLanguageTargets &targets) {
    if (!window) {
        return;
    }
    const std::pair<QString, QString> captions[] = {
        {u"main1"_s, u"lblCurrentLanguage"_s},
        {u"main4"_s, u"btnStart"_s},
        {u"main5"_s, u"btnStop"_s},
        {u"main6"_s, u"btnSettings"_s},
        {u"main7"_s, u"btnUpdates"_s},
        {u"main8"_s, u"btnHelp"_s},
        {u"main17"_s, u"btnGo"_s},
        {u"main20"_s, u"panResultsHeader"_s},
        {u"main35"_s, u"btnRSelectAll"_s},
        {u"main36"_s, u"btnRClearSelection"_s},
        {u"main37"_s, u"btnRDelete"_s},
        {u"main38"_s, u"btnRDeleteAll"_s},
        {u"main39"_s, u"btnExportAll"_s},
        {u"main40"_s, u"btnOpenWebsite"_s},
        {u"main41"_s, u"btnOpenMaps"_s},
        {u"main42"_s, u"btnOpenDetails"_s},
    };
    for (const auto &[tag, name] : captions) {
        if (QWidget *widget = Find(window, name)) {
            SetCaption(widget, sections.value(tag));
        }
    }

    const std::pair<QString, QString> hints[] = {
        {u"main12"_s, u"imgHome"_s}, {u"main13"_s, u"imgBack"_s},    {u"main14"_s, u"imgForward"_s},
        {u"main15"_s, u"imgStop"_s}, {u"main16"_s, u"imgRefresh"_s},
    };
    for (const auto &[tag, name] : hints) {
        if (QWidget *widget = Find(window, name)) {
            widget->setToolTip(sections.value(tag));
        }
    }

    if (auto *tabs = Find<QTabWidget>(window, u"pgcMain"_s)) {
        tabs->setTabText(0, sections.value(u"main18"_s));
        tabs->setTabText(1, sections.value(u"main19"_s));
    }
    if (targets.status) {
        targets.status->setPanelText(StatusSink::ProgressLabelPanel, sections.value(u"main43"_s));
    }
    if (targets.setColumnCaption) {
        for (int column = 0; column < LeadRow::ColumnCount; ++column) {
            targets.setColumnCaption(column, sections.value(ColumnCaptionTag(column)));
        }
    }
}
