#include "core/net/pacingstep.h"

#include "core/app/appcontext.h"
#include "core/app/statussink.h"
#include "core/host/hostservices.h"
#include "core/net/proxyvalues.h"
#include "core/net/randomsource.h"

void PacingStep::Run(const ProxyValues &proxy) {
    const AppSettings &settings = m_context.settings;
    StatusSink &status = m_context.status;
    m_random->Reseed();
    m_lastPause = -1;

    bool ok = false;
    const int bound = settings.eRandom.toInt(&ok, 10);
    if (ok) {
        status.setPanelText(StatusSink::ActivityPanel, m_context.texts.text(QStringLiteral("main62")));
        // A bound of 0 or below draws no pause.
        m_lastPause = bound > 0 ? m_random->Below(bound) : 0;
        for (int second = 0; second < m_lastPause && !m_context.run.ShouldStop; ++second) {
            PumpDelay(m_context.host, 1000);
        }
    }

    if (settings.rRandomProxy || settings.rUseProxy) {
        status.setPanelText(StatusSink::ActivityPanel, m_context.texts.text(QStringLiteral("main63")) +
                                                           QLatin1Char(' ') + proxy.server + QLatin1Char(':') +
                                                           QString::number(proxy.port));
    } else {
        status.setPanelText(StatusSink::ActivityPanel, m_context.texts.text(QStringLiteral("main64")));
    }
}
