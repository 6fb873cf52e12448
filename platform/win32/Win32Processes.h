#pragma once
// Running processes through the tool-help snapshot.
#include "platform/Processes.h"

namespace platform::win32 {

class Win32Processes final : public Processes {
public:
    std::uint32_t count() override;
    bool snapshot(std::vector<ProcessEntry>& entries, std::size_t maxEntries) override;
    // Never ends the program's own process.
    bool terminate(std::uint32_t processId, std::uint32_t exitCode) override;
    bool executablePath(std::uint32_t processId, std::string& path) override;
    std::uint32_t currentProcessId() override;
};

} // namespace platform::win32
