#pragma once
// The task manager window: lists the executable of every process, ends the selected ones, and
// closes itself once it is no longer the foreground window. Its handlers let pending messages
// run, so it can be closed from inside one of them; it then only destroys its platform window and
// leaves freeing this object to its owner once no handler of it runs.
#include "platform/Platform.h"
#include "platform/SecondaryWindow.h"
#include "platform/Widgets.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace tasks {

class TASKMGR final {
public:
    // Creates the window hidden, owned by ownerWindow. onUnloaded runs once the window is closed
    // and none of its handlers is running any more: from then on the object may be destroyed.
    // While hideOwnProcess answers true, the list leaves out the program's own process.
    TASKMGR(platform::Platform& platform, platform::WindowHandle ownerWindow, std::function<bool()> hideOwnProcess,
        std::function<void()> onUnloaded);
    TASKMGR(const TASKMGR&) = delete;
    TASKMGR& operator=(const TASKMGR&) = delete;

    void BringToFront();
    // Refills the list from a fresh snapshot, shows the window and lets pending messages run.
    void RefreshProcessList();

    const ui::WindowLifetime& lifetime() const { return lifetime_; }
    bool unloaded() const { return lifetime_.unloaded(); }
    ui::FormId formId() const { return form_.id(); }
    platform::WindowHandle window() const { return OwnWindow; }
    const std::vector<std::uint32_t>& processIds() const { return ProcessIds; }
    bool killPending() const { return KillPending; }

private:
    void KillSelected();
    void DissappearTick();
    void Unload();

    platform::Processes& processes_;
    platform::Desktop& desktop_;
    ui::Toolkit& toolkit_;
    std::function<bool()> hideOwnProcess_;
    ui::WindowLifetime lifetime_;
    ui::Form form_;
    platform::WindowHandle OwnWindow;
    ui::Control TASKLST;  // list box: the executable name of each process, multi-select
    ui::Control TSKILLX;  // panel: frame of TSKILL
    ui::Control TSKILL;   // label used as a button: "Kill selected"
    ui::Control TSKREFRX; // panel: frame of TSKREFR
    ui::Control TSKREFR;  // label used as a button: "Refresh"
    ui::Timer Dissappear; // 2000 ms: closes when in the background; completes a kill

    std::vector<std::uint32_t> ProcessIds; // entry i belongs to item i of TASKLST
    std::vector<platform::ProcessEntry> snapshot_;
    bool KillPending = false;
};

} // namespace tasks
