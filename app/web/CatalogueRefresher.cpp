// Catalogue refreshes in the browser build: a fetch each, answered later on the page's
// loop and judged by the desktop's rules. There are no threads to join, so cancelling
// means that answers still to come are dropped.
#include "app/CatalogueRefresher.h"

#include "model/TestData.h"
#include "platform/web/Fetch.h"

namespace mevara {

struct CatalogueRefresher::Jobs {
    struct State {
        // Answers to requests made before the last cancel are dropped.
        std::size_t generation = 0;
        std::size_t running = 0;
    };
    // Shared with the answers still to come, which may outlive the refresher.
    std::shared_ptr<State> state = std::make_shared<State>();
};

CatalogueRefresher::CatalogueRefresher(std::chrono::milliseconds timeout)
    : timeout_(timeout), jobs_(std::make_unique<Jobs>()) {}

CatalogueRefresher::~CatalogueRefresher() {
    cancelAll();
}

void CatalogueRefresher::start(std::string serviceUrl) {
    ++started_;
    if (serviceUrl.empty()) return;
    auto state = jobs_->state;
    ++state->running;
    web::fetchBytes(TestData::requestUrl(serviceUrl), timeout_, TestData::refreshSizeLimit,
                    [state, generation = state->generation](HttpResponse response) {
                        if (state->generation != generation) return;
                        --state->running;
                        TestData::acceptRefresh(response);
                    });
}

// Nothing can block in a page: what has not answered yet answers later.
void CatalogueRefresher::waitForAll() {}

void CatalogueRefresher::cancelAll() {
    ++jobs_->state->generation;
    jobs_->state->running = 0;
}

std::size_t CatalogueRefresher::runningCount() const {
    return jobs_->state->running;
}

} // namespace mevara
