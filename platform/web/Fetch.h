#pragma once

#include "platform/HttpClient.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace mevara::web {

// A GET through the browser's fetch, which cannot block: `done` hears the answer later,
// from the page's event loop, with the same meaning of `completed` as HttpClient::get
// (false for no connection, the time-out, a body over `sizeLimit`). Bytes arrive as sent.
void fetchBytes(const std::string& url, std::chrono::milliseconds timeout, std::size_t sizeLimit,
                std::function<void(HttpResponse)> done);

} // namespace mevara::web
