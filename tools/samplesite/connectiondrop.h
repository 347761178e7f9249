#pragma once

#include <httplib.h>

// Shuts down the server's side of the connection a request arrived on, so the client sees it
// close without an answer. False when the connection was not found.
bool DropConnection(const httplib::Request &request);
