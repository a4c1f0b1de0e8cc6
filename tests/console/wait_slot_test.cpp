// The worker's waits: answered, stopped (before, during or instead of an answer), timed out.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "console/wait_slot.h"

namespace {

// Spins until cond holds or about five seconds pass.
template <class F>
bool eventually(F cond) {
    for (int i = 0; i < 5000 && !cond(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return cond();
}

TEST(WaitSlot, AnswerBeforeTheWorkerSleepsIsNotLost) {
    WaitSlot slot;
    int value = 0;
    // The "GUI" answers inside the announcement, before the worker reaches its wait.
    const auto r = slot.wait([&] { EXPECT_TRUE(slot.answer([&] { value = 7; })); });
    EXPECT_EQ(r, WaitSlot::answered);
    EXPECT_EQ(value, 7);
}

TEST(WaitSlot, StopReleasesAWaitingWorker) {
    WaitSlot slot;
    std::atomic<int> result{-1};
    std::thread worker([&] { result = slot.wait({}); });
    ASSERT_TRUE(eventually([&] { return slot.waiting(); }));
    slot.stop();
    worker.join();
    EXPECT_EQ(result, WaitSlot::stopped);
}

TEST(WaitSlot, WaitAfterAStopReturnsAtOnceWithoutAnnouncing) {
    WaitSlot slot;
    slot.stop();
    bool announced = false;
    EXPECT_EQ(slot.wait([&] { announced = true; }), WaitSlot::stopped);
    EXPECT_FALSE(announced);
    slot.reset();
    EXPECT_EQ(slot.wait([&] { slot.answer(); }), WaitSlot::answered);
}

TEST(WaitSlot, AnswerAfterAStopOrWithoutAWaiterDoesNothing) {
    WaitSlot slot;
    bool filled = false;
    EXPECT_FALSE(slot.answer([&] { filled = true; }));
    slot.stop();
    EXPECT_FALSE(slot.answer([&] { filled = true; }));
    EXPECT_FALSE(filled);
}

TEST(WaitSlot, TimeLimitEndsAnUnansweredWait) {
    WaitSlot slot;
    EXPECT_EQ(slot.wait({}, 20), WaitSlot::timed_out);
    EXPECT_FALSE(slot.waiting());
    // A late answer finds nobody waiting and cannot satisfy the next wait in advance.
    EXPECT_FALSE(slot.answer());
    EXPECT_EQ(slot.wait({}, 20), WaitSlot::timed_out);
}

TEST(WaitSlot, StopEndsATimedWaitEarly) {
    WaitSlot slot;
    std::atomic<int> result{-1};
    std::thread worker([&] { result = slot.wait({}, 60000); });
    ASSERT_TRUE(eventually([&] { return slot.waiting(); }));
    slot.stop();
    worker.join();
    EXPECT_EQ(result, WaitSlot::stopped);
}

}  // namespace
