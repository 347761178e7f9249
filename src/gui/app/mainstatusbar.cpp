#include "gui/app/mainstatusbar.h"

#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>

#include <algorithm>
#include <limits>

MainStatusBar::MainStatusBar(QWidget *parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    for (int i = 0; i < PanelCount; ++i) {
        auto *panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (i + 1 < PanelCount) {
            panel->setFixedWidth(PanelWidths[static_cast<std::size_t>(i)]);
        } else {
            panel->setMinimumWidth(PanelWidths[static_cast<std::size_t>(i)]);
        }
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        m_panels[static_cast<std::size_t>(i)] = panel;
    }
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("MainGauge"));
    m_gauge->setTextVisible(false);
    m_gauge->setRange(0, 100);
    m_gauge->setValue(0);
}

void MainStatusBar::setPanelText(int panel, const QString &text) {
    if (panel < 0 || panel >= PanelCount) {
        return;
    }
    if (panel == RunPanel) {
        m_runText = text;
        showRunText();
        return;
    }
    QLabel *label = m_panels[static_cast<std::size_t>(panel)];
    label->setText(text);
    if (panel == ActivityPanel) {
        label->setToolTip(text); // a failure's reason may be longer than the panel
    }
    // The counters and the gauge's caption grow to hold a translation whole ("Avanzamento:");
    // the activity panel keeps its width, as activity texts can be as long as a path.
    if (panel == ListedPanel || panel == ExportedPanel || panel == ProgressLabelPanel) {
        const int needed = label->fontMetrics().horizontalAdvance(text) + 2 * label->frameWidth() + 8;
        const int width = std::max(PanelWidths[static_cast<std::size_t>(panel)], needed);
        if (label->width() != width) {
            label->setFixedWidth(width);
            placePanels();
        }
    }
}

QString MainStatusBar::panelText(int panel) const {
    if (panel < 0 || panel >= PanelCount) {
        return {};
    }
    if (panel == RunPanel) {
        return m_runText;
    }
    return m_panels[static_cast<std::size_t>(panel)]->text();
}

void MainStatusBar::setPanelToolTip(int panel, const QString &text) {
    if (panel == RunPanel) {
        m_runToolTip = text;
        showRunText();
    } else if (panel >= 0 && panel < PanelCount) {
        m_panels[static_cast<std::size_t>(panel)]->setToolTip(text);
    }
}

void MainStatusBar::setGaugeMaximum(qint64 maximum) {
    m_maximum = maximum;
    updateGauge();
}

void MainStatusBar::setGaugePosition(qint64 position) {
    m_position = position;
    updateGauge();
}

// QProgressBar holds ints; transfer sizes may not fit, so large ranges are scaled down.
void MainStatusBar::updateGauge() {
    constexpr qint64 IntLimit = std::numeric_limits<int>::max();
    const qint64 maximum = std::max<qint64>(m_maximum, 0);
    const qint64 position = std::clamp<qint64>(m_position, 0, maximum);
    const qint64 divisor = maximum > IntLimit ? maximum / IntLimit + 1 : 1;
    m_gauge->setRange(0, static_cast<int>(maximum / divisor));
    m_gauge->setValue(static_cast<int>(position / divisor));
}

QRect MainStatusBar::panelRect(int panel) const {
    if (panel < 0 || panel >= PanelCount) {
        return {};
    }
    return m_panels[static_cast<std::size_t>(panel)]->geometry();
}

void MainStatusBar::placeGauge() {
    m_gauge->setGeometry(panelRect(GaugePanel));
    m_gauge->raise();
}

// The panels are placed here rather than by the status bar's own layout, which leaves a strip
// of the window showing below them; they run from the bar's top to its bottom edge.
void MainStatusBar::placePanels() {
    int x = 0;
    for (QLabel *panel : m_panels) {
        // The last panel, the run's line, takes what is left of the bar.
        const int width = panel == m_panels.back() ? std::max(PanelWidths.back(), this->width() - x) : panel->width();
        panel->setGeometry(x, 0, width, height());
        x += width + PanelSpacing;
    }
    placeGauge();
    showRunText();
}

// The run's line may be longer than its panel: it ends in "…" where it is cut, and the whole of
// it shows on hovering.
void MainStatusBar::showRunText() {
    QLabel *label = m_panels[static_cast<std::size_t>(RunPanel)];
    const int room = label->contentsRect().width() - 2 * label->margin();
    label->setText(label->fontMetrics().elidedText(m_runText, Qt::ElideRight, std::max(room, 0)));
    QStringList tip;
    if (label->text() != m_runText) {
        tip.append(m_runText);
    }
    if (!m_runToolTip.isEmpty()) {
        tip.append(m_runToolTip);
    }
    label->setToolTip(tip.join(u'\n'));
}

void MainStatusBar::resizeEvent(QResizeEvent *event) {
    QStatusBar::resizeEvent(event);
    placePanels();
}
