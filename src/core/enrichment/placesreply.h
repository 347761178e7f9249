#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>

// Reading the replies of the Places nearby search and place details.

// The reply parsed as the UTF-8 JSON text it is; nothing when it is not a single object.
std::optional<QJsonObject> ParseReplyObject(const QString &reply);

// The reply object's "status" when it is a string, else empty.
QString ReplyStatus(const QJsonObject &reply);

// True when the reply object's "status" is the string "OK".
bool HasStatusOk(const QJsonObject &reply);

// The text of the region element of a place's "adr_address" markup, cut behind its street and
// locality elements when those are present; empty when there is no region element.
QString RegionFromAdrAddress(const QString &adrAddress);

// The first "types" list behind the first latitude and the first longitude after it, cut from
// the raw details reply, repaired and without double quotes; empty when there is none.
QString TypesFromDetailsReply(const QString &reply);
