#pragma once
// The persistent task table: existing tasks keep their places, vanished ones drop out and new
// ones join at the end in Z order. With grouping on, the windows of one program stand together:
// a group where its first window stands, a new window at its group's end. The merge is linear in
// the number of windows and, once its scratch space has grown, allocates nothing.
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace tasks {

using platform::WindowHandle;

class TaskTable {
public:
    // A window's program: small whole numbers from 1 (one per program seen), 0 for a window that
    // belongs to no group.
    using ProgramOf = std::function<std::uint32_t(WindowHandle)>;

    TaskTable();

    // Merges one enumeration (topmost first) into the table.
    void merge(const std::vector<WindowHandle>& snapshot);

    // Moves the entry at from to the place to, the entries between closing up: a place the user
    // chose, which later merges keep. Grouped, the entry's whole group moves, before or after the
    // group at to, unless to lies in its own group.
    void move(std::size_t from, std::size_t to);
    // Grouping on asks programOf once for each window not asked before and groups the table,
    // groups ordered by their first windows; off keeps the order as it stands. From then on
    // programOf is asked only for windows that join while grouping is on.
    void setGrouping(bool on, const ProgramOf& programOf);
    bool grouping() const { return grouping_; }

    std::size_t count() const { return windows_.size(); }
    WindowHandle at(std::size_t i) const { return windows_[i]; }
    const std::vector<WindowHandle>& windows() const { return windows_; }

private:
    void indexSnapshot(const std::vector<WindowHandle>& snapshot);
    std::size_t slotOf(WindowHandle window) const;
    void rotate(std::size_t first, std::size_t middle, std::size_t last);
    // The entries of the group holding entry i: [first, last).
    std::pair<std::size_t, std::size_t> groupAround(std::size_t i) const;
    // Stable: each window moves up behind the windows of its program that stand before it.
    void group();

    std::vector<WindowHandle> windows_;
    // Per entry of windows_: its program, or kNotAsked while grouping was off when it joined.
    std::vector<std::uint32_t> programs_;
    bool grouping_ = false;
    ProgramOf programOf_;
    // Scratch of group(): per program key the first entry holding it, per entry its group's first
    // entry, and per first entry the next free place in the grouped order.
    std::vector<std::int32_t> firstOfProgram_;
    std::vector<std::int32_t> groupStart_;
    std::vector<std::int32_t> place_;
    std::vector<WindowHandle> groupedWindows_;
    std::vector<std::uint32_t> groupedPrograms_;
    // Open-addressing index of the snapshot: per handle, its last unmatched position.
    std::vector<WindowHandle> keys_;
    std::vector<std::int32_t> latest_;
    // Per snapshot position: the previous position holding the same handle, or -1.
    std::vector<std::int32_t> earlier_;
    std::vector<std::uint8_t> matched_;
    std::size_t mask_ = 0;
};

} // namespace tasks
