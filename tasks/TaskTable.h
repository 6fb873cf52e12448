#pragma once
// The persistent task table: existing tasks keep their places, vanished ones drop out and new
// ones join at the end in Z order. The merge is linear in the number of windows and, once its
// scratch space has grown, allocates nothing.
#include "platform/Types.h"

#include <cstdint>
#include <vector>

namespace tasks {

using platform::WindowHandle;

class TaskTable {
public:
    TaskTable();

    // Merges one enumeration (topmost first) into the table.
    void merge(const std::vector<WindowHandle>& snapshot);

    // Moves the entry at from to the place to, the entries between closing up: a place the user
    // chose, which later merges keep.
    void move(std::size_t from, std::size_t to);

    std::size_t count() const { return windows_.size(); }
    WindowHandle at(std::size_t i) const { return windows_[i]; }
    const std::vector<WindowHandle>& windows() const { return windows_; }

private:
    void indexSnapshot(const std::vector<WindowHandle>& snapshot);
    std::size_t slotOf(WindowHandle window) const;

    std::vector<WindowHandle> windows_;
    // Open-addressing index of the snapshot: per handle, its last unmatched position.
    std::vector<WindowHandle> keys_;
    std::vector<std::int32_t> latest_;
    // Per snapshot position: the previous position holding the same handle, or -1.
    std::vector<std::int32_t> earlier_;
    std::vector<std::uint8_t> matched_;
    std::size_t mask_ = 0;
};

} // namespace tasks
