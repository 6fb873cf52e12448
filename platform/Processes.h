#pragma once
// Running processes: how many there are, a snapshot of identifiers and executable names, the
// full path of one's executable, and ending one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct ProcessEntry {
    std::uint32_t id = 0;
    std::string exeName;
};

class Processes {
public:
    virtual ~Processes() = default;
    // The number of processes in a fresh snapshot; 0 when none could be taken. Allocates
    // nothing, so the refresh tick can call it.
    virtual std::uint32_t count() = 0;
    // At most maxEntries entries in snapshot order (entries is cleared first); false when no
    // snapshot could be taken.
    virtual bool snapshot(std::vector<ProcessEntry>& entries, std::size_t maxEntries) = 0;
    // Opens the process for termination only, ends it and closes the handle. False when the
    // process is gone, refuses access or could not be ended.
    virtual bool terminate(std::uint32_t processId, std::uint32_t exitCode) = 0;
    // The full path of the process's executable file into path (cleared first); false when the
    // process is gone or refuses to be asked.
    virtual bool executablePath(std::uint32_t processId, std::string& path) = 0;
    virtual std::uint32_t currentProcessId() = 0;
};

} // namespace platform
