// The removal pattern: entries are handled last-collected first and the list stays consistent.
#include "core/removal.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RemovalPass, HandlesCollectedEntriesLastFirstAndStepsTheOthers) {
    const struct {
        std::vector<int> list;
        int divisor;  // entries that it divides are collected
        std::vector<int> kept, handled;
    } cases[] = {{{1, 2, 3, 4, 5, 6}, 2, {1, 3, 5}, {6, 4, 2}},  // the earlier iterators stay valid
                 {{1, 2, 3}, 1, {}, {3, 2, 1}},
                 {{7, 8}, 9, {7, 8}, {}}};
    for (const auto& c : cases) {
        std::vector<int> list = c.list, stepped, handled;
        RemovalPass(
            list, [&](int v) { return v % c.divisor == 0; }, [&](int v) { stepped.push_back(v); },
            [&](int v) { handled.push_back(v); });
        EXPECT_EQ(list, c.kept);
        EXPECT_EQ(stepped, c.kept);
        EXPECT_EQ(handled, c.handled);
    }
}
