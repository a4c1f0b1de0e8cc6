#include "console/wait_slot.h"

#include <chrono>

WaitSlot::Result WaitSlot::wait(const std::function<void()>& announce, int timeout_ms) {
    {
        const std::lock_guard l(lock);
        if (halted) return stopped;
        pending = true;
        done = false;
    }
    if (announce) announce();
    std::unique_lock l(lock);
    const auto over = [this] { return done || halted; };
    bool finished = true;
    if (timeout_ms > 0)
        finished = cv.wait_for(l, std::chrono::milliseconds(timeout_ms), over);
    else
        cv.wait(l, over);
    pending = false;
    if (done) return answered;
    return finished ? stopped : timed_out;
}

bool WaitSlot::answer(const std::function<void()>& fill) {
    const std::lock_guard l(lock);
    if (!pending || done || halted) return false;
    if (fill) fill();
    done = true;
    cv.notify_all();
    return true;
}

bool WaitSlot::waiting() const {
    const std::lock_guard l(lock);
    return pending && !done && !halted;
}

void WaitSlot::stop() {
    const std::lock_guard l(lock);
    halted = true;
    cv.notify_all();
}

void WaitSlot::reset() {
    const std::lock_guard l(lock);
    halted = false;
}
