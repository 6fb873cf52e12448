#pragma once
// Which program a window belongs to, for keeping a program's task buttons together: one key per
// executable path, compared as Windows compares file names, without regard to case. Asked once
// per window, when it joins the task table.
#include "platform/Desktop.h"
#include "platform/Processes.h"

#include <cstdint>
#include <string>
#include <unordered_map>

namespace tasks {

class ProgramGroups {
public:
    // The key of a window whose program cannot be found: it stands in no group.
    static constexpr std::uint32_t kNoProgram = 0;

    ProgramGroups(platform::Desktop& desktop, platform::Processes& processes)
        : desktop_(desktop)
        , processes_(processes)
    {
    }

    // The same key for every window whose process runs the same executable file.
    std::uint32_t programOf(platform::WindowHandle window);

private:
    platform::Desktop& desktop_;
    platform::Processes& processes_;
    std::string path_;
    std::unordered_map<std::string, std::uint32_t> keys_; // by folded path
};

} // namespace tasks
