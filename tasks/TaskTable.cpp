#include "tasks/TaskTable.h"

#include "tasks/TaskFilter.h"

#include <algorithm>

namespace tasks {

TaskTable::TaskTable()
{
    windows_.reserve(256);
}

std::size_t TaskTable::slotOf(WindowHandle window) const
{
    // Fibonacci hashing spreads the handles' regular spacing over the table.
    std::size_t slot = (static_cast<std::uint32_t>(window) * 2654435769u) & mask_;
    while (keys_[slot] != 0 && keys_[slot] != window)
        slot = (slot + 1) & mask_;
    return slot;
}

void TaskTable::indexSnapshot(const std::vector<WindowHandle>& snapshot)
{
    std::size_t capacity = 16;
    while (capacity < snapshot.size() * 2)
        capacity *= 2;
    mask_ = capacity - 1;
    keys_.assign(capacity, 0);
    latest_.assign(capacity, -1);
    earlier_.assign(snapshot.size(), -1);
    matched_.assign(snapshot.size(), 0);
    for (std::size_t j = 0; j < snapshot.size(); ++j) {
        const WindowHandle h = snapshot[j];
        if (h == 0) {
            matched_[j] = 1; // a zero entry is never a new task
            continue;
        }
        const std::size_t slot = slotOf(h);
        keys_[slot] = h;
        earlier_[j] = latest_[slot];
        latest_[slot] = static_cast<std::int32_t>(j);
    }
}

void TaskTable::merge(const std::vector<WindowHandle>& snapshot)
{
    indexSnapshot(snapshot);

    // Walk the table from its end, each entry claiming the last unclaimed snapshot entry with its
    // handle; entries that find none have vanished. Survivors are compacted in place.
    std::size_t kept = windows_.size();
    for (std::size_t i = windows_.size(); i-- > 0;) {
        const WindowHandle h = windows_[i];
        const std::size_t slot = h ? slotOf(h) : 0;
        const std::int32_t found = (h && keys_[slot] == h) ? latest_[slot] : -1;
        if (found >= 0) {
            matched_[static_cast<std::size_t>(found)] = 1;
            latest_[slot] = earlier_[static_cast<std::size_t>(found)];
            windows_[--kept] = h;
        }
    }
    windows_.erase(windows_.begin(), windows_.begin() + static_cast<std::ptrdiff_t>(kept));

    for (std::size_t j = 0; j < snapshot.size() && windows_.size() < kMaxTasks; ++j) {
        if (!matched_[j])
            windows_.push_back(snapshot[j]);
    }
}

void TaskTable::move(std::size_t from, std::size_t to)
{
    if (from >= windows_.size() || to >= windows_.size() || from == to)
        return;
    const auto at = windows_.begin();
    if (from < to)
        std::rotate(at + static_cast<std::ptrdiff_t>(from), at + static_cast<std::ptrdiff_t>(from) + 1,
            at + static_cast<std::ptrdiff_t>(to) + 1);
    else
        std::rotate(at + static_cast<std::ptrdiff_t>(to), at + static_cast<std::ptrdiff_t>(from),
            at + static_cast<std::ptrdiff_t>(from) + 1);
}

} // namespace tasks
