#include "tasks/TaskTable.h"

#include "tasks/TaskFilter.h"

#include <algorithm>

namespace tasks {

namespace {
constexpr std::uint32_t kNotAsked = 0xFFFFFFFFu;
} // namespace

TaskTable::TaskTable()
{
    windows_.reserve(256);
    programs_.reserve(256);
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
            --kept;
            windows_[kept] = h;
            programs_[kept] = programs_[i];
        }
    }
    windows_.erase(windows_.begin(), windows_.begin() + static_cast<std::ptrdiff_t>(kept));
    programs_.erase(programs_.begin(), programs_.begin() + static_cast<std::ptrdiff_t>(kept));

    const std::size_t before = windows_.size();
    for (std::size_t j = 0; j < snapshot.size() && windows_.size() < kMaxTasks; ++j) {
        if (!matched_[j]) {
            windows_.push_back(snapshot[j]);
            programs_.push_back(grouping_ ? programOf_(snapshot[j]) : kNotAsked);
        }
    }
    // The table stood grouped, so only newcomers can move: each behind its program's last window.
    if (grouping_ && windows_.size() > before)
        group();
}

void TaskTable::setGrouping(bool on, const ProgramOf& programOf)
{
    grouping_ = on && programOf;
    if (!grouping_) {
        programOf_ = nullptr;
        return;
    }
    programOf_ = programOf;
    for (std::size_t i = 0; i < windows_.size(); ++i)
        if (programs_[i] == kNotAsked)
            programs_[i] = programOf_(windows_[i]);
    group();
}

void TaskTable::group()
{
    // A counting sort on each entry's group start (the first entry of its program), which keeps
    // the order within a group and puts the groups in the order of their first windows.
    const std::size_t n = windows_.size();
    // A window never asked for its program stands alone, as one of no program does.
    const auto keyOf = [this](std::size_t i) { return programs_[i] == kNotAsked ? 0u : programs_[i]; };
    std::uint32_t maxProgram = 0;
    for (std::size_t i = 0; i < n; ++i)
        maxProgram = std::max(maxProgram, keyOf(i));
    firstOfProgram_.assign(static_cast<std::size_t>(maxProgram) + 1, -1);
    groupStart_.resize(n);
    place_.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t program = keyOf(i);
        std::int32_t& first = firstOfProgram_[program];
        if (program == 0 || first < 0)
            first = static_cast<std::int32_t>(i); // a window of no program starts a group of its own
        groupStart_[i] = program == 0 ? static_cast<std::int32_t>(i) : first;
        ++place_[static_cast<std::size_t>(groupStart_[i])];
    }
    std::int32_t next = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::int32_t members = place_[i];
        place_[i] = next;
        next += members;
    }
    groupedWindows_.resize(n);
    groupedPrograms_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto to = static_cast<std::size_t>(place_[static_cast<std::size_t>(groupStart_[i])]++);
        groupedWindows_[to] = windows_[i];
        groupedPrograms_[to] = programs_[i];
    }
    windows_.swap(groupedWindows_);
    programs_.swap(groupedPrograms_);
}

void TaskTable::rotate(std::size_t first, std::size_t middle, std::size_t last)
{
    const auto w = windows_.begin();
    const auto p = programs_.begin();
    const auto d = [](std::size_t k) { return static_cast<std::ptrdiff_t>(k); };
    std::rotate(w + d(first), w + d(middle), w + d(last));
    std::rotate(p + d(first), p + d(middle), p + d(last));
}

std::pair<std::size_t, std::size_t> TaskTable::groupAround(std::size_t i) const
{
    const std::uint32_t program = programs_[i];
    if (!grouping_ || program == 0 || program == kNotAsked)
        return {i, i + 1};
    std::size_t first = i;
    while (first > 0 && programs_[first - 1] == program)
        --first;
    std::size_t last = i + 1;
    while (last < programs_.size() && programs_[last] == program)
        ++last;
    return {first, last};
}

void TaskTable::move(std::size_t from, std::size_t to)
{
    if (from >= windows_.size() || to >= windows_.size() || from == to)
        return;
    const auto [first, last] = groupAround(from);
    if (to >= first && to < last) {
        // Within its own group (or alone): the window alone moves.
        if (from < to)
            rotate(from, from + 1, to + 1);
        else
            rotate(to, from, from + 1);
        return;
    }
    // Grouped, a window moves with its whole group, before or after the group it is dropped on,
    // so that the table stays grouped and the next merge keeps the place.
    const auto [targetFirst, targetLast] = groupAround(to);
    if (to < first)
        rotate(targetFirst, first, last);
    else
        rotate(first, last, targetLast);
}

} // namespace tasks
