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

} // namespace

HttpResponse HttpClient::get(const std::string& url, std::chrono::milliseconds timeout,
                             std::size_t sizeLimit) {
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

    if (curl_easy_perform(curl.get()) != CURLE_OK) return response;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &response.status);
    response.completed = true;
    response.body = std::move(download.body);
    return response;
}

} // namespace mevara
