#pragma once

#include "platform/HttpClient.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mevara {

// Runs catalogue refreshes on background threads and owns them: each start is a
// new thread, never waited for; destroying the refresher cancels whatever still
// runs and joins it, so no refresh outlives the folders and server it uses.
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
    struct Job {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    // Joins the jobs that have ended, so a long session does not pile threads up.
    void reapFinished();
    std::vector<Job> takeAll();

    std::chrono::milliseconds timeout_;
    std::atomic<bool> cancel_{false};
    std::atomic<std::size_t> started_{0};
    mutable std::mutex mutex_;
    std::vector<Job> jobs_;
};

} // namespace mevara
