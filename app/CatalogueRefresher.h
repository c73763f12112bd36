#pragma once

#include "platform/HttpClient.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace mevara {

// Runs catalogue refreshes and owns them. On the desktop each start is a new background
// thread, never waited for; in the browser a fetch whose answer arrives later on the page's
// loop. Destroying the refresher cancels whatever still runs (and joins it), so no
// refresh outlives the folders and server it uses.
class CatalogueRefresher {
public:
    explicit CatalogueRefresher(std::chrono::milliseconds timeout = HttpClient::defaultTimeout);
    ~CatalogueRefresher();
    CatalogueRefresher(const CatalogueRefresher&) = delete;
    CatalogueRefresher& operator=(const CatalogueRefresher&) = delete;

    // Starts one refresh from `serviceUrl`; an empty address ends at once.
    void start(std::string serviceUrl);
    // Waits for every refresh started so far to end by itself.
    void waitForAll();
    // Stops every running refresh and waits for it; later starts still work.
    void cancelAll();

    std::size_t startedCount() const { return started_; }
    std::size_t runningCount() const;

private:
    // The refreshes under way: threads on the desktop, fetches in the browser.
    struct Jobs;

    std::chrono::milliseconds timeout_;
    std::atomic<std::size_t> started_{0};
    std::unique_ptr<Jobs> jobs_;
};

} // namespace mevara
