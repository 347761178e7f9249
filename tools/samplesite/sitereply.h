#pragma once

#include <QString>

#include <string>
#include <utility>
#include <vector>

// One answer of the site before it goes on the wire.
struct SiteReply {
    int status = 200;
    std::string contentType;
    std::string body;
    std::string location;                                       // for redirects
    std::vector<std::pair<std::string, std::string>> headers{}; // further header fields, e.g. Set-Cookie

    static SiteReply Html(const QString &page) { return {200, "text/html; charset=UTF-8", page.toStdString(), {}}; }
    static SiteReply Text(const QString &text) { return {200, "text/plain; charset=UTF-8", text.toStdString(), {}}; }
    static SiteReply Json(const QString &text) {
        return {200, "application/json; charset=UTF-8", text.toStdString(), {}};
    }
    static SiteReply NotFound() {
        return {404, "text/html; charset=UTF-8", "<!DOCTYPE html>\n<html><body><h1>Not Found</h1></body></html>\n", {}};
    }
    static SiteReply Redirect(const QString &target) {
        return {302, "text/plain; charset=UTF-8", "", target.toStdString()};
    }
};
