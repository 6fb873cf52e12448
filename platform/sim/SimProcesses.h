#pragma once
// A process table the tests fill in, with failure switches; counts every snapshot taken.
#include "platform/Processes.h"

#include <cstdint>
#include <map>
#include <string>
#include <set>
#include <utility>
#include <vector>

namespace sim {

class SimProcesses final : public platform::Processes {
public:
    std::vector<platform::ProcessEntry> table; // snapshot order
    bool failSnapshot = false;
    bool throwNextSnapshot = false;       // the next snapshot throws, as an allocation that fails would
    std::set<std::uint32_t> refuseAccess; // terminate fails, the process stays
    std::uint32_t self = 4;               // currentProcessId()
    // (pid, exit code) of every process ended; its entry leaves `table`.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> terminated;
    long long snapshots = 0; // snapshots taken by count() and snapshot()
    // Executable paths by process id; a process missing here cannot be asked for its path.
    std::map<std::uint32_t, std::string> images;
    long long pathQueries = 0; // calls of executablePath()

    std::uint32_t count() override;
    bool snapshot(std::vector<platform::ProcessEntry>& entries, std::size_t maxEntries) override;
    // Refuses the program's own process, like the real side.
    bool terminate(std::uint32_t processId, std::uint32_t exitCode) override;
    bool executablePath(std::uint32_t processId, std::string& path) override;
    std::uint32_t currentProcessId() override { return self; }

private:
    void takeSnapshot();
};

} // namespace sim
