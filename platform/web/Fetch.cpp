#include "platform/web/Fetch.h"

#include <emscripten.h>
#include <map>
#include <utility>

namespace mevara::web {

namespace {

// The requests still waiting for their answer, by number.
std::map<int, std::function<void(HttpResponse)>>& waiting() {
    static std::map<int, std::function<void(HttpResponse)>> requests;
    return requests;
}

// clang-format off
EM_JS(void, mevara_startFetch, (int id, const char* urlText, double timeout, double limit), {
    const url = UTF8ToString(urlText);
    const controller = new AbortController();
    const timer = setTimeout(() => controller.abort(), timeout);
    const answer = (completed, status, bytes) => {
        clearTimeout(timer);
        const length = bytes ? bytes.length : 0;
        const data = _malloc(Math.max(length, 1));
        if (length) HEAPU8.set(bytes, data);
        _mevara_fetched(id, completed ? 1 : 0, status, data, length);
        _free(data);
    };
    fetch(url, {signal: controller.signal, cache: "no-store", redirect: "follow"})
        .then(async (response) => {
            const reader = response.body.getReader();
            const parts = [];
            let total = 0;
            for (;;) {
                const {done, value} = await reader.read();
                if (done) break;
                total += value.length;
                if (total > limit) {
                    controller.abort();
                    return answer(false, response.status, null);
                }
                parts.push(value);
            }
            const bytes = new Uint8Array(total);
            let at = 0;
            for (const part of parts) {
                bytes.set(part, at);
                at += part.length;
            }
            answer(true, response.status, bytes);
        })
        .catch(() => answer(false, 0, null));
});
// clang-format on

} // namespace

void fetchBytes(const std::string& url, std::chrono::milliseconds timeout, std::size_t sizeLimit,
                std::function<void(HttpResponse)> done) {
    static int next = 0;
    const int id = ++next;
    waiting().emplace(id, std::move(done));
    mevara_startFetch(id, url.c_str(), static_cast<double>(timeout.count()),
                      static_cast<double>(sizeLimit));
}

} // namespace mevara::web

extern "C" EMSCRIPTEN_KEEPALIVE void mevara_fetched(int id, int completed, int status,
                                                    const char* data, int length) {
    auto& waiting = mevara::web::waiting();
    auto it = waiting.find(id);
    if (it == waiting.end()) return;
    auto done = std::move(it->second);
    waiting.erase(it);
    mevara::HttpResponse response;
    response.completed = completed != 0;
    response.status = status;
    if (response.completed) response.body.assign(data, static_cast<std::size_t>(length));
    done(std::move(response));
}
