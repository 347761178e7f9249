// Measures the processor time PumpDelay uses while it waits 3 s on the real host and event loop.
#include "core/host/hostservices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {

double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) {
        return t.tv_sec * 1000.0 + t.tv_usec / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    // A timer ticking as the parse timer does, so the wait has events to deliver.
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &app, [&ticks] { ++ticks; });
    timer.start(100);

    const int durationMs = 3000;
    QElapsedTimer wall;
    const double cpuBefore = ProcessCpuMs();
    wall.start();
    QCoro::waitFor(PumpDelay(durationMs));
    const double wallMs = static_cast<double>(wall.elapsed());
    const double cpuMs = ProcessCpuMs() - cpuBefore;
    std::printf("PumpDelay(%d ms): wall %.0f ms, processor %.1f ms (user+sys) = %.2f%% of one core, %d timer "
                "events delivered\n",
                durationMs, wallMs, cpuMs, 100.0 * cpuMs / wallMs, ticks);
    return 0;
}
