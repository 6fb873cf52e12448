#include "tasks/MODULQTask2.h"

namespace tasks {

bool EndProcess(platform::Processes& processes, std::uint32_t processId)
{
    if (processId == 0 || processId == processes.currentProcessId())
        return false;
    return processes.terminate(processId, 0);
}

} // namespace tasks
