#include "support/testcertificate.h"

#include <QFile>
#include <QProcess>

TestCertificate::TestCertificate(const QString &subjectAltName) {
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder: ") + m_dir.errorString();
        return;
    }
    // An EC key keeps generation fast; every TLS stack the tests use accepts it.
    const QStringList arguments{QStringLiteral("req"),
                                QStringLiteral("-x509"),
                                QStringLiteral("-newkey"),
                                QStringLiteral("ec"),
                                QStringLiteral("-pkeyopt"),
                                QStringLiteral("ec_paramgen_curve:prime256v1"),
                                QStringLiteral("-nodes"),
                                QStringLiteral("-days"),
                                QStringLiteral("2"),
                                QStringLiteral("-subj"),
                                QStringLiteral("/CN=localhost"),
                                QStringLiteral("-addext"),
                                QStringLiteral("subjectAltName=") + subjectAltName,
                                QStringLiteral("-keyout"),
                                keyFile(),
                                QStringLiteral("-out"),
                                certificateFile()};
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForStarted() || !openssl.waitForFinished(30000)) {
        m_error = QStringLiteral("openssl did not run: ") + openssl.errorString();
        return;
    }
    if (openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        m_error = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(openssl.readAll());
        return;
    }
    m_valid = QFile::exists(certificateFile()) && QFile::exists(keyFile());
    if (!m_valid) {
        m_error = QStringLiteral("openssl wrote no certificate");
    }
}
