#pragma once

#include <QString>

// The proxy an HTTP client sends its requests through. An empty server means direct.
// The credentials are sent only while basicAuth is on, and keep their values when it is off.
struct ProxyValues {
    QString server;
    int port = 80;
    bool basicAuth = false;
    QString userName;
    QString password;
};
