#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

namespace mevara {

struct HttpResponse {
    // False when no whole answer arrived: no connection, a time-out, a body
    // over the size limit, or a cancelled request. Status and body are then not
    // to be used.
    bool completed = false;
    long status = 0;
    std::string body;
};

// A plain synchronous HTTP GET. Safe to call from any thread.
class HttpClient {
public:
    static constexpr std::chrono::milliseconds defaultTimeout{60'000};
    static constexpr std::size_t defaultSizeLimit = 4 * 1024 * 1024;
    // How soon a raised cancel flag stops a request at the latest.
    static constexpr std::chrono::milliseconds cancelCheckInterval{50};

    // `cancel`, when given, is watched while the request runs: once it reads
    // true the request stops and answers as not completed.
    static HttpResponse get(const std::string& url,
                            std::chrono::milliseconds timeout = defaultTimeout,
                            std::size_t sizeLimit = defaultSizeLimit,
                            const std::atomic<bool>* cancel = nullptr);
};

} // namespace mevara
