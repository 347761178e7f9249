#include "samplesite/faultreplies.h"

#include "samplesite/stopsignal.h"

#include <algorithm>
#include <memory>

namespace {

constexpr std::size_t tricklePieces = 16;

} // namespace

namespace FaultReplies {

void Trickle(SiteReply reply, std::chrono::milliseconds duration, StopSignal &stop, httplib::Response &response) {
    response.status = reply.status;
    const auto body = std::make_shared<std::string>(std::move(reply.body));
    const std::size_t pieces = std::clamp<std::size_t>(body->size(), 1, tricklePieces);
    const std::size_t pieceSize = (body->size() + pieces - 1) / pieces;
    const auto pause = duration / static_cast<int>(pieces);
    response.set_content_provider(
        body->size(), reply.contentType,
        [body, pieceSize, pause, &stop](std::size_t offset, std::size_t length, httplib::DataSink &sink) {
            if (offset > 0 && !stop.WaitFor(pause)) {
                return false;
            }
            sink.write(body->data() + offset, std::min(pieceSize, length));
            return true;
        });
}

void ResetMidBody(SiteReply reply, httplib::Response &response) {
    response.status = reply.status;
    const auto body = std::make_shared<std::string>(std::move(reply.body));
    response.set_content_provider(body->size(), reply.contentType,
                                  [body](std::size_t offset, std::size_t, httplib::DataSink &sink) {
                                      // A provider that fails makes httplib close the connection.
                                      if (offset == 0 && body->size() > 1) {
                                          sink.write(body->data(), body->size() / 2);
                                      }
                                      return false;
                                  });
}

} // namespace FaultReplies
