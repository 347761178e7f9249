#include "core/net/pacingstep.h"

#include "core/app/statussink.h"
#include "core/host/hostservices.h"
#include "core/net/proxyvalues.h"
#include "core/net/randomsource.h"
#include "core/settings/appsettings.h"
#include "core/settings/uitexts.h"

#include <algorithm>
#include <limits>

QCoro::Task<> PacingStep::Run(const ProxyValues &proxy, StopToken stop) {
    m_random->Reseed();
    m_lastPause = -1;

    bool ok = false;
    const int bound = m_settings.eRandom.toInt(&ok, 10);
    if (ok) {
        m_status.setPanelText(StatusSink::ActivityPanel, m_texts.text(QStringLiteral("main62")));
        // A bound of 0 or below draws no pause.
        m_lastPause = bound > 0 ? m_random->Below(bound) : 0;
        // A pause of up to 2^31 seconds is longer than one timer can wait: it goes in pieces.
        qint64 remaining = m_lastPause * static_cast<qint64>(m_second.count());
        while (remaining > 0 && !stop.requested()) {
            const int piece = static_cast<int>(std::min<qint64>(remaining, std::numeric_limits<int>::max()));
            co_await PumpDelay(piece, stop);
            remaining -= piece;
        }
    }

    // The proxy values are read after the pause: they are the ones the request will use.
    if (m_settings.rRandomProxy || m_settings.rUseProxy) {
        m_status.setPanelText(StatusSink::ActivityPanel, m_texts.text(QStringLiteral("main63")) + QLatin1Char(' ') +
                                                             proxy.server + QLatin1Char(':') +
                                                             QString::number(proxy.port));
    } else {
        m_status.setPanelText(StatusSink::ActivityPanel, m_texts.text(QStringLiteral("main64")));
    }
}
