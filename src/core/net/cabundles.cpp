#include "core/net/cabundles.h"

#include <QFile>
#include <QFileInfo>

#include <array>

namespace {

bool IsReadableFile(const QString &path) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.isReadable();
}

} // namespace

QString SystemCaBundle(CURL *easy) {
    const QString fromEnvironment = qEnvironmentVariable("SSL_CERT_FILE");
    if (IsReadableFile(fromEnvironment)) {
        return fromEnvironment;
    }
    const char *builtIn = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_CAINFO, &builtIn) == CURLE_OK && builtIn != nullptr &&
        IsReadableFile(QString::fromLocal8Bit(builtIn))) {
        return QString::fromLocal8Bit(builtIn);
    }
    static constexpr std::array<const char *, 5> usualPlaces = {
        "/etc/ssl/certs/ca-certificates.crt",                // Debian, Ubuntu, Arch, Gentoo
        "/etc/pki/tls/certs/ca-bundle.crt",                  // Fedora, RHEL
        "/etc/ssl/ca-bundle.pem",                            // openSUSE
        "/etc/pki/ca-trust/extracted/pem/tls-ca-bundle.pem", // CentOS
        "/etc/ssl/cert.pem",                                 // Alpine
    };
    for (const char *place : usualPlaces) {
        if (IsReadableFile(QString::fromLatin1(place))) {
            return QString::fromLatin1(place);
        }
    }
    return {};
}

CaFileBytes ReadCaFile(const QString &path) {
    CaFileBytes bytes;
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        bytes.error = QStringLiteral("%1: no such file").arg(path);
    } else if (!file.open(QIODevice::ReadOnly)) {
        bytes.error = QStringLiteral("%1: %2").arg(path, file.errorString());
    } else {
        bytes.pem = file.readAll();
        if (!bytes.pem.contains("-----BEGIN CERTIFICATE-----")) {
            bytes.error = QStringLiteral("%1: no PEM certificate in the file").arg(path);
        }
    }
    return bytes;
}
