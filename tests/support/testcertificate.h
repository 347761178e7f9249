#pragma once

#include <QString>
#include <QTemporaryDir>

// A self-signed certificate with its private key, made by the openssl command-line tool in a
// temporary folder that lives as long as the object; by default for "localhost" and 127.0.0.1.
class TestCertificate {
public:
    explicit TestCertificate(const QString &subjectAltName = QStringLiteral("DNS:localhost,IP:127.0.0.1"));

    TestCertificate(const TestCertificate &) = delete;
    TestCertificate &operator=(const TestCertificate &) = delete;

    bool isValid() const { return m_valid; }
    QString errorString() const { return m_error; }
    // PEM files.
    QString certificateFile() const { return m_dir.filePath(QStringLiteral("cert.pem")); }
    QString keyFile() const { return m_dir.filePath(QStringLiteral("key.pem")); }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
    QString m_error;
};
