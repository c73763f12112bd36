#include "app/CatalogueRefresher.h"

#include "model/TestData.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace mevara {

struct CatalogueRefresher::Jobs {
    struct Job {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    // Joins the jobs that have ended, so a long session does not pile threads up.
    void reapFinished();
    std::vector<Job> takeAll();

    std::atomic<bool> cancel{false};
    mutable std::mutex mutex;
    std::vector<Job> jobs;
};

CatalogueRefresher::CatalogueRefresher(std::chrono::milliseconds timeout)
    : timeout_(timeout), jobs_(std::make_unique<Jobs>()) {}

CatalogueRefresher::~CatalogueRefresher() {
    cancelAll();
}

void CatalogueRefresher::start(std::string serviceUrl) {
    jobs_->reapFinished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([this, url = std::move(serviceUrl), done] {
        TestData::loadTestData(url, timeout_, &jobs_->cancel);
        done->store(true);
    });
    ++started_;
    std::lock_guard lock(jobs_->mutex);
    jobs_->jobs.push_back({std::move(thread), std::move(done)});
}

std::vector<CatalogueRefresher::Jobs::Job> CatalogueRefresher::Jobs::takeAll() {
    std::lock_guard lock(mutex);
    return std::exchange(jobs, {});
}

void CatalogueRefresher::waitForAll() {
    for (auto& job : jobs_->takeAll())
        job.thread.join();
}

void CatalogueRefresher::cancelAll() {
    jobs_->cancel = true;
    for (auto& job : jobs_->takeAll())
        job.thread.join();
    jobs_->cancel = false;
}

void CatalogueRefresher::Jobs::reapFinished() {
    std::vector<Job> finished;
    {
        std::lock_guard lock(mutex);
        auto split = std::stable_partition(jobs.begin(), jobs.end(),
                                           [](const Job& job) { return !job.done->load(); });
        std::move(split, jobs.end(), std::back_inserter(finished));
        jobs.erase(split, jobs.end());
    }
    for (auto& job : finished)
        job.thread.join();
}

std::size_t CatalogueRefresher::runningCount() const {
    std::lock_guard lock(jobs_->mutex);
    return static_cast<std::size_t>(
        std::count_if(jobs_->jobs.begin(), jobs_->jobs.end(),
                      [](const Jobs::Job& job) { return !job.done->load(); }));
}

} // namespace mevara
