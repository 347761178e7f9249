#pragma once

#include <QtGlobal>

#include <chrono>

// Bounds of one request, whatever the server does: a reply body larger than maxReplyBytes
// fails, and no request lasts longer than maxDuration, however steadily its data arrives.
// Either failure ends a paced fetch at once: another proxy would get the same reply.
struct FetchLimits {
    qint64 maxReplyBytes = qint64(64) * 1024 * 1024;
    std::chrono::milliseconds maxDuration = std::chrono::minutes(10);
};
