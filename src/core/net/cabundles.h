#pragma once

#include <QByteArray>
#include <QString>

#include <curl/curl.h>

// The system's bundle of certificate authorities, as a file: the one OpenSSL's SSL_CERT_FILE
// names, else the one libcurl was built with, else the first of the distributions' usual places
// that exists. Empty when none is found.
QString SystemCaBundle(CURL *easy);

// The PEM bundle of further authorities a user names; the reason it cannot be used otherwise.
struct CaFileBytes {
    QByteArray pem;
    QString error;
};
CaFileBytes ReadCaFile(const QString &path);
