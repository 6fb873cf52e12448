#include "platform/sim/SimProcesses.h"

#include <algorithm>
#include <new>

namespace sim {

void SimProcesses::takeSnapshot()
{
    ++snapshots;
    if (throwNextSnapshot) {
        throwNextSnapshot = false;
        throw std::bad_alloc();
    }
}

std::uint32_t SimProcesses::count()
{
    takeSnapshot();
    return failSnapshot ? 0 : static_cast<std::uint32_t>(table.size());
}

bool SimProcesses::snapshot(std::vector<platform::ProcessEntry>& entries, std::size_t maxEntries)
{
    takeSnapshot();
    entries.clear();
    if (failSnapshot)
        return false;
    const std::size_t n = std::min(maxEntries, table.size());
    entries.assign(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(n));
    return true;
}

bool SimProcesses::terminate(std::uint32_t processId, std::uint32_t exitCode)
{
    if (processId == self || refuseAccess.count(processId))
        return false;
    auto it =
        std::find_if(table.begin(), table.end(), [&](const platform::ProcessEntry& e) { return e.id == processId; });
    if (it == table.end())
        return false;
    table.erase(it);
    terminated.emplace_back(processId, exitCode);
    return true;
}

bool SimProcesses::executablePath(std::uint32_t processId, std::string& path)
{
    ++pathQueries;
    path.clear();
    const auto it = images.find(processId);
    if (it == images.end())
        return false;
    path = it->second;
    return true;
}

} // namespace sim
