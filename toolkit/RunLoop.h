#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mevara {

class View;

// The main run loop: time, delayed calls and the open animation blocks. Time is an input:
// the program reads the monotonic clock, tests use a manual clock and advance it.
class RunLoop {
public:
    static RunLoop& main();
    // A fresh loop with the monotonic clock (tests call it between cases).
    static void reset();

    // Seconds since the loop began.
    double now() const;
    void useManualClock();
    bool hasManualClock() const { return manual_; }
    // Manual clock only: moves time forward, running every call that falls due, in
    // order of due time, each at its own time.
    void advance(double seconds);

    // Runs `call` once at least `delay` seconds from now; `keepAlive` (the target) is held
    // until then, as the platform holds a delayed call's target. `name` labels the call so
    // that it can be cancelled by target and name.
    void performAfterDelay(double delay, std::function<void()> call,
                           std::shared_ptr<const void> keepAlive = nullptr, std::string name = {});
    // Drops the waiting calls whose target is `target` (and, when given, whose name is
    // `name`), as the platform cancels a target's earlier perform requests.
    void cancelCalls(const void* target, const std::string* name = nullptr);
    bool hasCall(const void* target, const std::string& name) const;
    // Runs the calls that are due now (real clock).
    void runDueCalls();
    // Work done at the end of every turn of the loop, after the calls that fell due (the
    // key window's layout pass). Every host of a window gets it from here, so a script sees
    // what a window shows.
    void setEndOfTurn(std::function<void()> work) { endOfTurn_ = std::move(work); }
    // Called when a call is added or something changes, for hosts that only take a turn
    // when asked (the browser's page); it must be cheap and must not run the loop.
    void setWakeUp(std::function<void()> wake) { wakeUp_ = std::move(wake); }
    void endTurn();
    // Due time of the earliest waiting call, or a negative number when none waits.
    double nextDueTime() const;
    std::size_t pendingCalls() const { return calls_.size(); }

    // Animation blocks (the platform's begin/commit). Properties set while a block is
    // open take their new value at once and animate on screen from the old one.
    void beginAnimations(std::string name = {});
    void setAnimationDuration(double seconds);
    void setAnimationDelay(double seconds);
    void commitAnimations();
    bool inAnimationBlock() const { return !blocks_.empty(); }
    // Called by views when a property changes inside a block.
    void recordAnimation(const std::shared_ptr<View>& view);
    // The name of the last committed block (a label only).
    const std::string& lastAnimationName() const { return lastName_; }

    // Whether something on screen may still move, and a change counter for redraws.
    bool isAnimating() const { return now() < animationsEnd_; }
    void noteAnimationEnd(double time);
    void markChanged() {
        ++changes_;
        if (wakeUp_) wakeUp_();
    }
    std::uint64_t changes() const { return changes_; }

    static constexpr double defaultAnimationDuration = 0.2;

private:
    struct Call {
        double due;
        std::uint64_t order;
        std::function<void()> call;
        std::shared_ptr<const void> keepAlive;
        std::string name;
    };
    struct Block {
        std::string name;
        double duration = defaultAnimationDuration;
        double delay = 0;
        std::vector<std::weak_ptr<View>> views;
    };

    bool popDue(double until, Call& out);

    bool manual_ = false;
    double manualNow_ = 0;
    double origin_ = 0;
    std::vector<Call> calls_;
    std::uint64_t order_ = 0;
    std::vector<Block> blocks_;
    std::string lastName_;
    double animationsEnd_ = 0;
    std::uint64_t changes_ = 0;
    std::function<void()> endOfTurn_;
    std::function<void()> wakeUp_;
};

} // namespace mevara
