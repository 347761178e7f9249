#include "core/dns/mailexchangercheck.h"
#include "sitefixture.h"

#include <QProcess>

namespace {

// The executable started with arguments; killed if a test leaves it running.
class SampleSiteProcess {
public:
    explicit SampleSiteProcess(const QStringList &arguments) {
        m_process.setProgram(QStringLiteral(TARNWICK_SAMPLE_SITE_EXECUTABLE));
        m_process.setArguments(arguments);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
    }
    ~SampleSiteProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    // The first count lines of its output, fewer when it stays silent for five seconds.
    QStringList ReadLines(qsizetype count) {
        QStringList lines;
        while (lines.size() < count) {
            if (!m_process.canReadLine() && !m_process.waitForReadyRead(5000)) {
                break;
            }
            while (m_process.canReadLine() && lines.size() < count) {
                lines.append(QString::fromUtf8(m_process.readLine()).trimmed());
            }
        }
        return lines;
    }

    QProcess &process() { return m_process; }

private:
    QProcess m_process;
};

TEST(SampleSiteExecutable, PrintsItsBaseServesAndStopsOnTerminate) {
    SampleSiteProcess site({QStringLiteral("--seed"), QStringLiteral("7")});
    const QStringList lines = site.ReadLines(1);
    ASSERT_FALSE(lines.isEmpty());
    const QString base = lines.first();
    ASSERT_TRUE(base.startsWith(u"http://127.0.0.1:")) << base.toStdString();

    httplib::Client client(base.toStdString());
    const httplib::Result result = client.Get("/vsearch/c");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    SampleSite inProcess(SampleSiteOptions{.seed = 7});
    EXPECT_TRUE(QString::fromStdString(result->body).contains(inProcess.companies(1, 1).first().slug));

    site.process().terminate();
    ASSERT_TRUE(site.process().waitForFinished(5000));
    EXPECT_EQ(site.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(site.process().exitCode(), 0);
}

TEST(SampleSiteExecutable, PrintEnvNamesEveryEndpointThenReady) {
    SampleSiteProcess site({QStringLiteral("--print-env")});
    const QStringList lines = site.ReadLines(16);
    ASSERT_EQ(lines.size(), 16) << lines.join(u'\n').toStdString();
    const QString base = lines.first();
    EXPECT_EQ(lines.at(1), u"TARNWICK_LINKEDIN_HTTPS=" + base);
    EXPECT_EQ(lines.at(6), QStringLiteral("TARNWICK_PLACES_KEY_A=sample-key-a"));
    EXPECT_EQ(lines.at(13), u"TARNWICK_PROXY_ADVICE_URL=" + base + u"/protect-your-ip");
    EXPECT_EQ(lines.last(), u"ready");
    // The name server answers though the executable's own thread runs no event loop.
    ASSERT_TRUE(lines.at(14).startsWith(u"TARNWICK_DNS_SERVER=127.0.0.1:")) << lines.at(14).toStdString();
    MailExchangerCheck check(lines.at(14).section(u'=', 1));
    EXPECT_EQ(QCoro::waitFor(check.check(QStringLiteral("shop.example.org"))), MailServerStatus::NoMxAFallback);

    site.process().terminate();
    ASSERT_TRUE(site.process().waitForFinished(5000));
    EXPECT_EQ(site.process().exitCode(), 0);
}

} // namespace
