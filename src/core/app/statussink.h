#pragma once

#include <QString>

// The status bar and the progress gauge of the main window, as the core sees them.
// Panel 0 shows the current activity, 1 the items listed, 2 the items exported, 5 where a run
// stands.
class StatusSink {
public:
    enum Panel { ActivityPanel = 0, ListedPanel = 1, ExportedPanel = 2, ProgressLabelPanel = 3, RunPanel = 5 };

    virtual ~StatusSink() = default;

    virtual void setPanelText(int panel, const QString &text) = 0;
    virtual QString panelText(int panel) const = 0;
    // What shows on hovering over a panel, besides its own text where that is cut.
    virtual void setPanelToolTip(int panel, const QString &text) {
        Q_UNUSED(panel)
        Q_UNUSED(text)
    }

    virtual void setGaugeMaximum(qint64 maximum) = 0;
    virtual void setGaugePosition(qint64 position) = 0;
    virtual qint64 gaugeMaximum() const = 0;
    virtual qint64 gaugePosition() const = 0;
};
