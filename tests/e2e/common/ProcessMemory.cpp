#include "tests/e2e/common/ProcessMemory.h"

#include <psapi.h>

namespace e2e {

long PrivateKb(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        return -1;
    // Wine 8 leaves PrivateUsage at 0; its PagefileUsage is the same figure (committed private bytes).
    const SIZE_T bytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<long>(bytes / 1024);
}

} // namespace e2e
