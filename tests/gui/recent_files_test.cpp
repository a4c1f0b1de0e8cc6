// The ring of recent files.
#include <gtest/gtest.h>

#include "app/recent_files.h"

namespace {

std::vector<wxString> newest_first(const RecentFiles& r) {
    std::vector<wxString> out;
    for (int k = 1; k <= RecentFiles::SLOTS; ++k)
        if (!r.newest(k).empty()) out.push_back(r.newest(k));
    return out;
}

TEST(RecentFiles, SixFilesKeepTheLastFive) {
    RecentFiles r;
    for (const char* f : {"1", "2", "3", "4", "5", "6"}) r.add_to_recents(f);
    EXPECT_EQ(newest_first(r), (std::vector<wxString>{"6", "5", "4", "3", "2"}));
}

TEST(RecentFiles, ReopeningMovesToTheTop) {
    RecentFiles r;
    for (const char* f : {"a", "b", "c", "d", "e"}) r.add_to_recents(f);
    r.add_to_recents("c");  // number 3
    EXPECT_EQ(newest_first(r), (std::vector<wxString>{"c", "e", "d", "b", "a"}));
    RecentFiles partial;
    for (const char* f : {"a", "b"}) partial.add_to_recents(f);
    partial.add_to_recents("a");
    EXPECT_EQ(newest_first(partial), (std::vector<wxString>{"a", "b"}));
    EXPECT_EQ(partial.get_newest_file_index(), 2);
}

}  // namespace

namespace {

TEST(RecentFiles, ReaddingAnEntryByReferenceToItsOwnSlot) {
    RecentFiles r;
    for (const char* f : {"1", "2", "3", "4", "5", "6"}) r.add_to_recents(f);
    r.add_to_recents(r.newest(3));
    EXPECT_EQ(newest_first(r), (std::vector<wxString>{"4", "6", "5", "3", "2"}));
}

}  // namespace
