#include "samplesite/publisherfiles.h"

#include "core/app/version.h"
#include "samplesite/markuptext.h"

namespace {

QString Page(const QString &title, const QString &body) {
    return u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscaped(title) +
           u"</title>\n</head>\n<body>\n<h1>" + HtmlEscaped(title) + u"</h1>\n" + body + u"</body>\n</html>\n";
}

} // namespace

namespace PublisherFiles {

QString UpdateInformation() {
    // Line 2 names the product, line 3 the newest version; the program reads no other line.
    return u"[" + ProductName + u"]\r\nName=" + ProductName + u"\r\nVersion=" + ProgramVersion +
           u"\r\nNotes=Sample update server\r\n";
}

QString News() {
    return QStringLiteral("<EN1>Sample news: every page is served from this machine.</EN1>\r\n"
                          "<FR1>Nouvelles d'essai : chaque page vient de cette machine.</FR1>\r\n"
                          "<ES1>Noticias de prueba: cada página viene de esta máquina.</ES1>\r\n"
                          "<IT1>Notizie di prova: ogni pagina arriva da questa macchina.</IT1>\r\n");
}

QString Offers(const QString &language) {
    return Page(QStringLiteral("News & Special Offers"),
                u"<p class=\"language\">Language: " + HtmlEscaped(language) + u"</p>\n<p>No offers today.</p>\n");
}

QString Tutorial() {
    return Page(QStringLiteral("Tutorial"), QStringLiteral("<p>Open a company search, then press Get Data.</p>\n"));
}

QString Affiliates() {
    return Page(QStringLiteral("Affiliates"), QStringLiteral("<p>Sample affiliates page.</p>\n"));
}

QString ProxyAdvice() {
    return Page(QStringLiteral("Protect your IP"), QStringLiteral("<p>Sample advice on proxies.</p>\n"));
}

} // namespace PublisherFiles
