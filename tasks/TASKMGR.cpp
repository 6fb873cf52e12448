#include "tasks/TASKMGR.h"

#include "tasks/MODULQTask2.h"
#include "tasks/TaskIds.h"

#include <algorithm>
#include <string>

namespace tasks {

namespace ids = task_ids;

namespace {

constexpr float kListWidth = 5775;
constexpr float kListHeight = 3150;
constexpr int kDissappearMs = 2000;

ui::FormSpec FormSpecOf(const ui::ScreenMetrics& screen, platform::WindowHandle owner)
{
    ui::FormSpec props = ui::CentredFormSpec(screen, {kListWidth, kListHeight}, owner);
    props.caption = "Task Manager";
    props.toolWindow = true;
    props.sizable = false;
    // Enter refreshes, which is harmless; killing takes a press of its own. Esc closes.
    props.dialogKeys = true;
    props.defaultButton = ids::TSKREFR;
    return props;
}

ui::ControlSpec ListSpec()
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::ListBox;
    props.rect = {0, 0, kListWidth, kListHeight};
    props.multiSelect = true;
    props.back = ui::kSysWindow;
    props.fore = ui::kSysWindowText;
    return props;
}

ui::ControlSpec FrameSpec(float top)
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::Panel;
    props.rect = {4560, top, 1095, 255};
    props.border = true;
    return props;
}

ui::ControlSpec ButtonLabelSpec(ui::ControlId frame, const char* caption)
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::Label;
    props.parent = frame;
    props.rect = {0, 0, 1095, 255};
    props.caption = caption;
    props.align = ui::TextAlign::Centre;
    props.pressable = true;
    return props;
}

} // namespace

TASKMGR::TASKMGR(platform::Platform& platform, platform::WindowHandle ownerWindow, std::function<bool()> hideOwnProcess,
    std::function<void()> onUnloaded)
    : processes_(platform.processes())
    , desktop_(platform.desktop())
    , toolkit_(platform.toolkit())
    , hideOwnProcess_(std::move(hideOwnProcess))
    , lifetime_(std::move(onUnloaded))
    , form_(toolkit_, FormSpecOf(toolkit_.screen(), ownerWindow))
    , OwnWindow(form_.window())
    , TASKLST(form_, ids::TASKLST, ListSpec())
    , TSKILLX(form_, ids::TSKILLX, FrameSpec(2400))
    , TSKILL(form_, ids::TSKILL, ButtonLabelSpec(ids::TSKILLX, "Kill selected"))
    , TSKREFRX(form_, ids::TSKREFRX, FrameSpec(2760))
    , TSKREFR(form_, ids::TSKREFR, ButtonLabelSpec(ids::TSKREFRX, "Refresh"))
    , Dissappear(form_, ids::Dissappear, kDissappearMs, true, [this] { DissappearTick(); })
{
    ProcessIds.reserve(kMaxProcesses);
    TSKILL.onClick([this] { KillSelected(); });
    TSKREFR.onClick([this] {
        if (TSKREFR.enabled())
            RefreshProcessList();
    });
    ui::UnloadWhenClosed(form_, lifetime_, [this] { Unload(); });
}

void TASKMGR::BringToFront()
{
    if (!unloaded())
        toolkit_.bringToFront(form_.id());
}

void TASKMGR::RefreshProcessList()
{
    if (unloaded())
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    // A failed snapshot leaves the list empty.
    processes_.snapshot(snapshot_, kMaxProcesses);
    if (hideOwnProcess_ && hideOwnProcess_()) {
        const std::uint32_t self = processes_.currentProcessId();
        snapshot_.erase(std::remove_if(snapshot_.begin(), snapshot_.end(),
                            [self](const platform::ProcessEntry& entry) { return entry.id == self; }),
            snapshot_.end());
    }
    std::vector<std::string> names;
    names.reserve(snapshot_.size());
    for (const auto& entry : snapshot_)
        names.push_back(entry.exeName);
    // Item i and entry i must always belong together, or "Kill selected" would end the wrong
    // process: the identifiers change only once the names are ready (no allocation: reserved for
    // the cap), and are dropped if the list could not take the names.
    ProcessIds.clear();
    for (const auto& entry : snapshot_)
        ProcessIds.push_back(entry.id);
    try {
        TASKLST.setItems(std::move(names));
    } catch (...) {
        ProcessIds.clear();
        throw;
    }
    toolkit_.showForm(form_.id(), true);
    toolkit_.processPendingMessages();
}

void TASKMGR::KillSelected()
{
    // Between a kill and the next tick the label is disabled; a click then does nothing.
    if (unloaded() || !TSKILL.enabled())
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    const std::vector<int> selected = TASKLST.selectedItems();
    for (int index : selected) {
        if (index >= 0 && static_cast<std::size_t>(index) < ProcessIds.size())
            EndProcess(processes_, ProcessIds[static_cast<std::size_t>(index)]);
    }
    KillPending = true;
    TSKILL.setEnabled(false);
    TSKREFR.setEnabled(false);
}

void TASKMGR::DissappearTick()
{
    if (unloaded())
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    if (desktop_.foreground() != OwnWindow) {
        Unload();
        return;
    }
    if (!KillPending)
        return;
    // Cleared first, so that a tick arriving during the pending messages does not repeat it.
    KillPending = false;
    toolkit_.processPendingMessages();
    if (unloaded())
        return;
    TSKILL.setEnabled(true);
    TSKREFR.setEnabled(true);
    RefreshProcessList();
}

void TASKMGR::Unload()
{
    lifetime_.Unload(toolkit_, form_.id());
}

} // namespace tasks
