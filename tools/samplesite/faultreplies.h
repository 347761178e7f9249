#pragma once

#include "samplesite/sitereply.h"

#include <httplib.h>

#include <chrono>

class StopSignal;

// Puts a reply on the wire in one of the broken ways a fault asks for.
namespace FaultReplies {

// The body in small pieces spread over about duration; cut off when the site stops.
void Trickle(SiteReply reply, std::chrono::milliseconds duration, StopSignal &stop, httplib::Response &response);
// The headers (with the full length) and half the body, then the connection closes.
void ResetMidBody(SiteReply reply, httplib::Response &response);

} // namespace FaultReplies
