// One kind of wait of the worker thread that the GUI thread answers (a typed line, a key, a
// finished redraw, the end of a pause) or a user stop releases. The stop is read under the
// same lock that publishes the wait, so neither an answer nor a stop can be lost, and a wait
// asked for after the stop returns at once.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

class WaitSlot {
  public:
    enum Result { answered, stopped, timed_out };

    // Worker: publishes the wait, runs `announce` (posting the request to the GUI thread,
    // which may answer before this thread sleeps), then sleeps until an answer or a stop, or
    // timeout_ms when that is positive.
    Result wait(const std::function<void()>& announce, int timeout_ms = 0);
    // GUI: when a worker waits, runs `fill` (storing the answer where the worker reads it),
    // releases the worker and returns true; otherwise returns false and runs nothing.
    bool answer(const std::function<void()>& fill = {});
    // Whether a worker waits here now.
    bool waiting() const;
    // Releases a waiting worker and every later wait, until reset().
    void stop();
    void reset();

  private:
    mutable std::mutex lock;
    std::condition_variable cv;
    bool pending = false;
    bool done = false;
    bool halted = false;
};
