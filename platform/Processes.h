#pragma once
// Running processes: a snapshot of identifiers and executable names, and ending one.
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
    // Fills entries (cleared first); false when no snapshot could be taken.
    virtual bool snapshot(std::vector<ProcessEntry>& entries) = 0;
    virtual bool terminate(std::uint32_t processId, std::uint32_t exitCode) = 0;
};

} // namespace platform
