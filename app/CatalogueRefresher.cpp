#include "app/CatalogueRefresher.h"

#include "model/TestData.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace mevara {

CatalogueRefresher::CatalogueRefresher(std::chrono::milliseconds timeout) : timeout_(timeout) {}

CatalogueRefresher::~CatalogueRefresher() {
    cancelAll();
}

void CatalogueRefresher::start(std::string serviceUrl) {
    reapFinished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([this, url = std::move(serviceUrl), done] {
        TestData::loadTestData(url, timeout_, &cancel_);
        done->store(true);
    });
    ++started_;
    std::lock_guard lock(mutex_);
    jobs_.push_back({std::move(thread), std::move(done)});
}

std::vector<CatalogueRefresher::Job> CatalogueRefresher::takeAll() {
    std::lock_guard lock(mutex_);
    return std::exchange(jobs_, {});
}

void CatalogueRefresher::waitForAll() {
    for (auto& job : takeAll())
        job.thread.join();
}

void CatalogueRefresher::cancelAll() {
    cancel_ = true;
    for (auto& job : takeAll())
        job.thread.join();
    cancel_ = false;
}

void CatalogueRefresher::reapFinished() {
    std::vector<Job> finished;
    {
        std::lock_guard lock(mutex_);
        auto split = std::stable_partition(jobs_.begin(), jobs_.end(),
                                           [](const Job& job) { return !job.done->load(); });
        std::move(split, jobs_.end(), std::back_inserter(finished));
        jobs_.erase(split, jobs_.end());
    }
    for (auto& job : finished)
        job.thread.join();
}

std::size_t CatalogueRefresher::runningCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(
        jobs_.begin(), jobs_.end(), [](const Job& job) { return !job.done->load(); }));
}

} // namespace mevara
