#include "tasks/TaskFilter.h"
#include "tasks/TaskTable.h"

#include <gtest/gtest.h>

#include <random>

using Handles = std::vector<platform::WindowHandle>;

namespace {
// The plain merge: a backwards search of the snapshot for every task.
Handles ReferenceMerge(Handles table, Handles snapshot)
{
    for (std::size_t i = table.size(); i-- > 0;) {
        bool found = false;
        for (std::size_t j = snapshot.size(); j-- > 0;) {
            if (snapshot[j] == table[i]) {
                snapshot[j] = 0;
                found = true;
                break;
            }
        }
        if (!found)
            table.erase(table.begin() + static_cast<std::ptrdiff_t>(i));
    }
    for (auto h : snapshot) {
        if (h != 0 && table.size() < tasks::kMaxTasks)
            table.push_back(h);
    }
    return table;
}
} // namespace

TEST(TaskTable, KeepsPlacesDropsVanishedAndAppendsNewInZOrder)
{
    tasks::TaskTable table;
    table.merge({3, 2, 1});
    EXPECT_EQ(table.windows(), (Handles {3, 2, 1}));
    // B (2) closes, D (4) opens on top and A (1) is raised: buttons keep their places.
    table.merge({4, 1, 3});
    EXPECT_EQ(table.windows(), (Handles {3, 1, 4}));
    table.merge({});
    EXPECT_TRUE(table.windows().empty());
}

TEST(TaskTable, AgreesWithTheBackwardSearchOnRandomHistories)
{
    std::mt19937 rng(12345);
    tasks::TaskTable table;
    Handles reference;
    for (int round = 0; round < 400; ++round) {
        Handles snapshot;
        const int n = static_cast<int>(rng() % 40);
        for (int k = 0; k < n; ++k)
            snapshot.push_back(1 + rng() % 30); // small range: duplicates and reappearing handles
        table.merge(snapshot);
        reference = ReferenceMerge(reference, snapshot);
        ASSERT_EQ(table.windows(), reference) << "round " << round;
    }
}

TEST(TaskTable, NeverGrowsPastTheTableSize)
{
    tasks::TaskTable table;
    Handles first(tasks::kMaxTasks - 2);
    for (std::size_t i = 0; i < first.size(); ++i)
        first[i] = static_cast<platform::WindowHandle>(i + 1);
    table.merge(first);
    Handles more = first;
    for (platform::WindowHandle h = 900000; h < 900010; ++h)
        more.push_back(h);
    table.merge(more);
    EXPECT_EQ(table.count(), tasks::kMaxTasks);
    EXPECT_EQ(table.at(tasks::kMaxTasks - 1), 900001u);
}
