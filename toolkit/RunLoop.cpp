#include "toolkit/RunLoop.h"

#include "toolkit/View.h"

#include <algorithm>
#include <chrono>
#include <iterator>

namespace mevara {
namespace {

double monotonicSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::unique_ptr<RunLoop>& slot() {
    static std::unique_ptr<RunLoop> loop;
    return loop;
}

} // namespace

RunLoop& RunLoop::main() {
    auto& loop = slot();
    if (!loop) {
        loop = std::make_unique<RunLoop>();
        loop->origin_ = monotonicSeconds();
    }
    return *loop;
}

void RunLoop::reset() {
    slot().reset();
}

double RunLoop::now() const {
    return manual_ ? manualNow_ : monotonicSeconds() - origin_;
}

void RunLoop::useManualClock() {
    manualNow_ = now();
    manual_ = true;
}

bool RunLoop::popDue(double until, Call& out) {
    auto earliest =
        std::min_element(calls_.begin(), calls_.end(), [](const Call& a, const Call& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
    if (earliest == calls_.end() || earliest->due > until) return false;
    out = std::move(*earliest);
    calls_.erase(earliest);
    return true;
}

void RunLoop::advance(double seconds) {
    if (!manual_) useManualClock();
    const double target = manualNow_ + std::max(0.0, seconds);
    Call call;
    while (popDue(target, call)) {
        manualNow_ = std::max(manualNow_, call.due);
        call.call();
        endTurn();
    }
    manualNow_ = target;
    endTurn();
    markChanged();
}

void RunLoop::performAfterDelay(double delay, std::function<void()> call,
                                std::shared_ptr<const void> keepAlive, std::string name) {
    calls_.push_back({now() + std::max(0.0, delay), order_++, std::move(call), std::move(keepAlive),
                      std::move(name)});
    if (wakeUp_) wakeUp_();
}

void RunLoop::cancelCalls(const void* target, const std::string* name) {
    if (!target) return;
    // Moved out first: dropping a kept-alive target may run destructors that queue calls.
    std::vector<Call> dropped;
    auto keep = std::stable_partition(calls_.begin(), calls_.end(), [&](const Call& c) {
        return c.keepAlive.get() != target || (name && c.name != *name);
    });
    std::move(keep, calls_.end(), std::back_inserter(dropped));
    calls_.erase(keep, calls_.end());
}

bool RunLoop::hasCall(const void* target, const std::string& name) const {
    return std::any_of(calls_.begin(), calls_.end(), [&](const Call& c) {
        return c.keepAlive.get() == target && c.name == name;
    });
}

void RunLoop::runDueCalls() {
    const double until = now();
    Call call;
    while (popDue(until, call))
        call.call();
    endTurn();
}

void RunLoop::endTurn() {
    if (endOfTurn_) endOfTurn_();
}

double RunLoop::nextDueTime() const {
    double next = -1;
    for (const auto& c : calls_)
        if (next < 0 || c.due < next) next = c.due;
    return next;
}

void RunLoop::beginAnimations(std::string name) {
    Block block;
    block.name = std::move(name);
    blocks_.push_back(std::move(block));
}

void RunLoop::setAnimationDuration(double seconds) {
    if (!blocks_.empty()) blocks_.back().duration = std::max(0.0, seconds);
}

void RunLoop::setAnimationDelay(double seconds) {
    if (!blocks_.empty()) blocks_.back().delay = std::max(0.0, seconds);
}

void RunLoop::recordAnimation(const std::shared_ptr<View>& view) {
    if (!blocks_.empty()) blocks_.back().views.push_back(view);
}

void RunLoop::commitAnimations() {
    if (blocks_.empty()) return;
    Block block = std::move(blocks_.back());
    blocks_.pop_back();
    const double start = now() + block.delay;
    for (auto& weak : block.views)
        if (auto view = weak.lock()) view->startPendingAnimations(start, block.duration);
    lastName_ = block.name;
    noteAnimationEnd(start + block.duration);
    markChanged();
}

void RunLoop::noteAnimationEnd(double time) {
    animationsEnd_ = std::max(animationsEnd_, time);
}

} // namespace mevara
