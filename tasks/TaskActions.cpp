#include "tasks/TaskActions.h"

#include "tasks/MODULQTask2.h"
#include "tasks/TaskIds.h"

#include <string>

namespace tasks {

namespace m = task_ids::menu;

namespace {

ui::MenuItem Item(ui::MenuId id, const char* caption, std::function<void()> action = {})
{
    ui::MenuItem item = ui::MenuEntry(id, caption, std::move(action));
    item.separator = item.caption == "-"; // the task menu draws its dividers so
    return item;
}

ui::MenuItem Disabled(ui::MenuId id, const char* caption)
{
    ui::MenuItem item = Item(id, caption);
    item.enabled = false;
    return item;
}

ui::MenuItem Submenu(ui::MenuId id, const char* caption, std::vector<ui::MenuItem> items)
{
    ui::MenuItem item = Item(id, caption);
    item.items = std::move(items);
    return item;
}

} // namespace

void ShowTask(platform::Desktop& desktop, WindowHandle target, platform::ShowCommand command)
{
    if (target != 0)
        desktop.showWindowAsync(target, command);
}

void SetTaskTopmost(platform::Desktop& desktop, WindowHandle target, bool topmost)
{
    if (target == 0)
        return;
    desktop.setWindowPos(target, topmost ? platform::kInsertTopmost : platform::kInsertNoTopmost, 0, 0, 0, 0,
        platform::kPosNoSize | platform::kPosNoMove | platform::kPosAsyncWindowPos);
}

void HideTask(platform::Desktop& desktop, WindowHandle target)
{
    if (target == 0)
        return;
    desktop.setWindowPos(
        target, platform::kInsertNoTopmost, 0, 0, 0, 0, platform::kPosHideWindow | platform::kPosAsyncWindowPos);
}

bool CloseTask(platform::Desktop& desktop, WindowHandle target)
{
    if (target == 0)
        return false;
    return desktop.sendMessageTimeout(target, platform::kMessageClose, 0, 0, kCloseTimeoutMs, nullptr);
}

bool TerminateTask(platform::Desktop& desktop, platform::Processes& processes, WindowHandle target)
{
    if (target == 0)
        return false;
    return EndProcess(processes, desktop.windowProcessId(target));
}

bool StartAnotherCopy(
    platform::Desktop& desktop, platform::Processes& processes, platform::Launcher& launcher, WindowHandle target)
{
    std::string path;
    if (target == 0 || !processes.executablePath(desktop.windowProcessId(target), path) || path.empty())
        return false;
    return launcher.run(path, platform::ShowCommand::Normal);
}

MiddleClickAction MiddleClickActionOf(float stored)
{
    if (stored == 1)
        return MiddleClickAction::StartAnotherCopy;
    if (stored == 2)
        return MiddleClickAction::Nothing;
    return MiddleClickAction::Close;
}

void MiddleClickTask(platform::Platform& platform, WindowHandle target, MiddleClickAction action)
{
    switch (action) {
    case MiddleClickAction::Close:
        CloseTask(platform.desktop(), target);
        break;
    case MiddleClickAction::StartAnotherCopy:
        StartAnotherCopy(platform.desktop(), platform.processes(), platform.launcher(), target);
        break;
    case MiddleClickAction::Nothing:
        break;
    }
}

ui::MenuItem BuildTaskMenu(platform::Desktop& desktop, platform::Processes& processes, WindowHandle target)
{
    platform::Desktop* d = &desktop;
    platform::Processes* p = &processes;
    auto show = [d, target](platform::ShowCommand command) { return [=] { ShowTask(*d, target, command); }; };
    return Submenu(m::MF, "A",
        {
            Item(m::MFF_0 + 0, "restore", show(platform::ShowCommand::Normal)),
            Disabled(m::MFF_0 + 1, "move"),
            Disabled(m::MFF_0 + 2, "size"),
            Item(m::MFF_0 + 3, "minimize", show(platform::ShowCommand::Minimize)),
            Item(m::MFF_0 + 4, "maximixe", show(platform::ShowCommand::Maximize)),
            Item(m::MF1, "-"),
            Submenu(m::M2, "advanced",
                {
                    Item(m::MOT_0 + 0, "standard", [d, target] { SetTaskTopmost(*d, target, false); }),
                    Item(m::MOT_0 + 1, "always on top", [d, target] { SetTaskTopmost(*d, target, true); }),
                    Item(m::MOT1, "-"),
                    Item(m::MHID, "hide", [d, target] { HideTask(*d, target); }),
                    Item(m::MOT2, "-"),
                    Item(m::MFT, "terminate", [d, p, target] { TerminateTask(*d, *p, target); }),
                }),
            Item(m::MF2, "-"),
            Item(m::MCL, "close", [d, target] { CloseTask(*d, target); }),
        });
}

} // namespace tasks
