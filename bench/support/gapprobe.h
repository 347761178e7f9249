#pragma once

// How long the event loop goes without turning: a precise timer asks for a turn every
// millisecond and records the time between two turns. Scheduling alone makes an idle loop show
// gaps of a few milliseconds on a shared machine, so every figure is given beside those of an
// idle loop measured in the same run.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

class GapProbe {
public:
    GapProbe() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Turn(); });
    }

    void Start() {
        m_gaps.clear();
        m_last = -1;
        m_clock.start();
        m_timer.start();
    }
    void Stop() { m_timer.stop(); }
    // Turns for which counting() is false end no gap and start none: time that is not the
    // program's own (a page the browser engine loads, say).
    void SetFilter(std::function<bool()> counting) { m_counting = std::move(counting); }

    double Percentile(double share) const {
        if (m_gaps.empty()) {
            return 0;
        }
        std::vector<double> sorted = m_gaps;
        std::sort(sorted.begin(), sorted.end());
        const auto index = static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1));
        return sorted[index];
    }
    double Largest() const { return m_gaps.empty() ? 0 : *std::max_element(m_gaps.begin(), m_gaps.end()); }

    void Print(const char *what) const {
        std::printf("  %-44s p99 %6.2f ms, largest %6.2f ms (%zu turns)\n", what, Percentile(0.99), Largest(),
                    m_gaps.size());
    }

    // Runs the event loop for ms milliseconds with the probe on: the idle figures.
    void RunIdle(int ms) {
        Start();
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        Stop();
    }

private:
    void Turn() {
        const double now = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
        if (m_counting && !m_counting()) {
            m_last = -1;
            return;
        }
        if (m_last >= 0) {
            m_gaps.push_back(now - m_last);
        }
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_last = -1;
    std::vector<double> m_gaps;
    std::function<bool()> m_counting;
};
