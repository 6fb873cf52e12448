#pragma once
// The process list as the bar uses it: the count shown by the task counter, and ending one
// process on the user's behalf.
#include "platform/Processes.h"

#include <cstddef>
#include <cstdint>

namespace tasks {

// The task manager lists at most this many processes.
constexpr std::size_t kMaxProcesses = 65536;

// The number of running processes, 0 when no snapshot could be taken. Allocates nothing, so
// the refresh tick can call it.
inline std::uint32_t CountProcesses(platform::Processes& processes)
{
    return processes.count();
}

// Ends the process with exit code 0. Never process 0 and never the bar's own process. False when
// nothing was ended (gone, access refused, or one of those two).
bool EndProcess(platform::Processes& processes, std::uint32_t processId);

} // namespace tasks
