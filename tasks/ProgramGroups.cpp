#include "tasks/ProgramGroups.h"

namespace tasks {

std::uint32_t ProgramGroups::programOf(platform::WindowHandle window)
{
    const std::uint32_t processId = desktop_.windowProcessId(window);
    if (processId == 0 || !processes_.executablePath(processId, path_) || path_.empty())
        return kNoProgram;
    // File names differ only in more than case; the ANSI letters beyond ASCII are left as they are.
    for (char& c : path_)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    const auto found = keys_.try_emplace(path_, static_cast<std::uint32_t>(keys_.size() + 1));
    return found.first->second;
}

} // namespace tasks
