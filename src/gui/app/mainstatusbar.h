#pragma once

#include "core/app/statussink.h"

#include <QStatusBar>

#include <array>

class QLabel;
class QProgressBar;

// The main window's status bar: six panels, the progress gauge in panel 4 and the run's line in
// panel 5, which takes the rest of the bar.
class MainStatusBar : public QStatusBar, public StatusSink {
    Q_OBJECT

public:
    static constexpr int PanelCount = 6;
    static constexpr int GaugePanel = 4;
    // The least width of each panel; a counter or caption grows to hold its text.
    static constexpr std::array<int, PanelCount> PanelWidths = {350, 160, 170, 70, 120, 50};
    static constexpr int PanelSpacing = 2;

    explicit MainStatusBar(QWidget *parent = nullptr);

    void setPanelText(int panel, const QString &text) override;
    QString panelText(int panel) const override;
    void setPanelToolTip(int panel, const QString &text) override;
    void setGaugeMaximum(qint64 maximum) override;
    void setGaugePosition(qint64 position) override;
    qint64 gaugeMaximum() const override { return m_maximum; }
    qint64 gaugePosition() const override { return m_position; }

    QProgressBar *gauge() const { return m_gauge; }
    // The rectangle of a panel in the status bar's coordinates.
    QRect panelRect(int panel) const;
    // Places the gauge exactly over its panel.
    void placeGauge();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateGauge();
    void placePanels();
    void showRunText();

    std::array<QLabel *, PanelCount> m_panels{};
    QProgressBar *m_gauge = nullptr;
    // The run's line whole; its panel shows as much of it as fits.
    QString m_runText;
    QString m_runToolTip;
    qint64 m_maximum = 100;
    qint64 m_position = 0;
};
