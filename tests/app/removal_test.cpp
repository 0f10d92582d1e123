// The removal pattern: entries are handled last-collected first and the list stays consistent.
#include "core/removal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(RemovalPass, HandlesCollectedEntriesLastFirstAndKeepsOthers) {
    std::vector<int> list = {1, 2, 3, 4, 5, 6};
    std::vector<int> stepped, handled;
    RemovalPass(
        list, [](int v) { return v % 2 == 0; }, [&](int v) { stepped.push_back(v); },
        [&](int v) { handled.push_back(v); });
    EXPECT_EQ(list, (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(stepped, (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(handled, (std::vector<int>{6, 4, 2}));  // the earlier iterators stayed valid
}

TEST(RemovalPass, EverythingOrNothing) {
    std::vector<std::string> list = {"a", "b", "c"};
    std::vector<std::string> handled;
    RemovalPass(
        list, [](const std::string&) { return true; }, [](const std::string&) { FAIL(); },
        [&](const std::string& s) { handled.push_back(s); });
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(handled, (std::vector<std::string>{"c", "b", "a"}));
    int steps = 0;
    std::vector<int> none = {7, 8};
    RemovalPass(
        none, [](int) { return false; }, [&](int) { ++steps; }, [](int) { FAIL(); });
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(none.size(), 2u);
}
