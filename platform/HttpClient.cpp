#include "HttpClient.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace mevara {

namespace {

struct Download {
    std::string body;
    std::size_t limit = 0;
};

std::size_t receive(char* data, std::size_t size, std::size_t count, void* user) {
    auto* download = static_cast<Download*>(user);
    std::size_t bytes = size * count;
    // Returning less than was offered makes curl abort the transfer.
    if (download->body.size() + bytes > download->limit) return 0;
    download->body.append(data, bytes);
    return bytes;
}

struct CurlFree {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};

struct MultiFree {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};

// Runs the transfer, waking at least every cancelCheckInterval so that a raised
// cancel flag ends even a request to a server that never answers.
CURLcode perform(CURL* easy, const std::atomic<bool>* cancel) {
    if (!cancel) return curl_easy_perform(easy);
    std::unique_ptr<CURLM, MultiFree> multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), easy) != CURLM_OK) return CURLE_FAILED_INIT;
    CURLcode result = CURLE_OK;
    int running = 1;
    while (running) {
        if (cancel->load()) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running && curl_multi_poll(multi.get(), nullptr, 0,
                                       static_cast<int>(HttpClient::cancelCheckInterval.count()),
                                       nullptr) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
    }
    if (!running) {
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi.get(), &left))
            if (message->msg == CURLMSG_DONE && message->easy_handle == easy)
                result = message->data.result;
    }
    curl_multi_remove_handle(multi.get(), easy);
    return result;
}

} // namespace

HttpResponse HttpClient::get(const std::string& url, std::chrono::milliseconds timeout,
                             std::size_t sizeLimit, const std::atomic<bool>* cancel) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    HttpResponse response;
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    if (!curl) return response;

    Download download;
    download.limit = sizeLimit;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, receive);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &download);
    // A server announcing a body over the limit is refused before it is sent.
    curl_easy_setopt(curl.get(), CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(sizeLimit));

    if (perform(curl.get(), cancel) != CURLE_OK) return response;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &response.status);
    response.completed = true;
    response.body = std::move(download.body);
    return response;
}

} // namespace mevara
