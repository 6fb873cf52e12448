#pragma once
// What a mapped remote-control button does: the action names of the infrared map carried out on
// the bar, its tasks and the session. Task actions touch only a window that has a task button.
#include "bar/BarCommands.h"
#include "platform/Platform.h"
#include "tasks/TaskButtons.h"

#include <string_view>

namespace bar {

class RemoteActions final {
public:
    static constexpr int kMovePixels = 16;

    RemoteActions(platform::Platform& platform, const tasks::TaskButtons& tasks, BarCommands& commands)
        : desktop_(platform.desktop())
        , processes_(platform.processes())
        , tasks_(tasks)
        , commands_(commands)
    {
    }

    // Unknown names do nothing.
    void Perform(std::string_view action);

private:
    // The foreground window when it has a task button, else 0.
    platform::WindowHandle ForegroundTask() const;
    void Switch(int step);

    platform::Desktop& desktop_;
    platform::Processes& processes_;
    const tasks::TaskButtons& tasks_;
    BarCommands& commands_;
};

} // namespace bar
