#include "core/enrichment/placesreply.h"

#include "core/enrichment/placestext.h"
#include "core/util/textcursor.h"

#include <QJsonDocument>
#include <QJsonParseError>

std::optional<QJsonObject> ParseReplyObject(const QString &reply) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(reply.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

QString ReplyStatus(const QJsonObject &reply) {
    return reply.value(QLatin1String("status")).toString();
}

bool HasStatusOk(const QJsonObject &reply) {
    return ReplyStatus(reply) == QLatin1String("OK");
}

QString RegionFromAdrAddress(const QString &adrAddress) {
    TextCursor buffer(adrAddress);
    // Each pair moves onto the end of an element's opening tag, then past its text.
    if (buffer.contains(u"street-address")) {
        CutBetween(u"street-address", u">", 0, buffer);
        CutBetween(u">", u"<", 0, buffer);
    }
    if (buffer.contains(u"locality")) {
        CutBetween(u"locality", u">", 0, buffer);
        CutBetween(u">", u"<", 0, buffer);
    }
    if (!buffer.contains(u"region")) {
        return {};
    }
    CutBetween(u"region", u">", 0, buffer);
    return CutBetween(u">", u"<", 0, buffer);
}

QString TypesFromDetailsReply(const QString &reply) {
    TextCursor buffer(reply);
    if (buffer.contains(u"\"lat\"")) {
        CutBetween(u"\"lat\"", u": ", 0, buffer);
        CutBetween(u": ", u",", 0, buffer);
    }
    if (buffer.contains(u"\"lng\"")) {
        CutBetween(u"\"lng\"", u": ", 0, buffer);
        CutBetween(u": ", u"}", 0, buffer);
    }
    if (!buffer.contains(u"\"types\"")) {
        return {};
    }
    CutBetween(u"\"types\"", u": ", 0, buffer);
    return RepairTextArtifacts(CutBetween(u": [", u"]", 0, buffer)).remove(u'"');
}
