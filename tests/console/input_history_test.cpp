#include <gtest/gtest.h>

#include "console/input_history.h"

namespace {

using Lines = std::vector<std::string>;

TEST(InputHistory, KeepsDistinctLinesInSlotOrder) {
    InputHistory h;
    for (const char* l : {"uno", "dos", "uno", "", "tres"}) h.add(l);
    EXPECT_EQ(h.entries(), (Lines{"uno", "dos", "tres"}));
}

TEST(InputHistory, EleventhDistinctLineReplacesTheOldestSlot) {
    InputHistory h;
    for (int i = 0; i < 11; ++i) h.add("l" + std::to_string(i));
    const Lines e = h.entries();
    ASSERT_EQ(e.size(), 10u);
    EXPECT_EQ(e[0], "l10");
    EXPECT_EQ(e[1], "l1");
    EXPECT_FALSE(h.in_history("l0"));
}

}  // namespace
