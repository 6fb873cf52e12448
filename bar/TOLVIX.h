#pragma once
// The bar window: its form, layout, docking and auto-hide, the order of start-up and of the refresh
// tick, and the commands its menus, windows and indicators ask of it. Each part (indicator, strip,
// run box, task buttons, program catalogue, secondary window) registers its own handlers and owns
// its controls, but for the few the bar makes itself to keep the tab order.
#include "bar/BarCommands.h"
#include "bar/Clock.h"
#include "bar/Docking.h"
#include "bar/ConnectionLamp.h"
#include "bar/GlowStrip.h"
#include "bar/WinampButtons.h"
#include "bar/INFO.h"
#include "bar/KeyboardHotKey.h"
#include "bar/LogoStrip.h"
#include "bar/MemoryIndicator.h"
#include "bar/NotificationArea.h"
#include "bar/RemoteActions.h"
#include "bar/RunBox.h"
#include "infrared/InfraredRemote.h"
#include "infrared/SupportSwitch.h"
#include "platform/Platform.h"
#include "platform/SecondaryWindow.h"
#include "platform/Widgets.h"
#include "progmenu/ProgramCatalogue.h"
#include "settings/SettingsWindow.h"
#include "progmenu/Shortcuts.h"
#include "settings/SetupMem.h"
#include "bar/ProcessCounter.h"
#include "tasks/TaskButtonInput.h"
#include "tasks/TaskButtons.h"
#include "tasks/TaskManagerWindow.h"

#include <memory>
#include <vector>

namespace bar {

class TOLVIX final : public BarCommands {
public:
    explicit TOLVIX(platform::Platform& platform);
    TOLVIX(const TOLVIX&) = delete;
    TOLVIX& operator=(const TOLVIX&) = delete;

    // The start-up sequence; the bar is shown at its end.
    void Load();
    // -1 for a free-floating bar, 0 to 8 for a docking position; other values are ignored.
    void SetAlign(float position) override;
    void RefreshTaskButtons();
    // One tick of RTASKS: buttons, memory, clock, pending messages, automatic free-up, lamp,
    // Winamp, process count, in that order.
    void Refresh();

    // The about box, for reading: it stays until closed.
    void ShowAbout();
    bool sleeping() const { return asleep_; }
    void SetSleeping(bool asleep);

    // The bar's commands.
    void PopupSettings(int page) override;
    // Unless the settings disable the task manager.
    void ShowTaskManager() override;
    void FreeUpMemory() override { memory_.FreeUpNow(); }
    // Ends the program at once; nothing may touch the windows after this.
    void Quit() override;
    void EndSession(PowerAction action) override;
    void MoveBar(int dxPixels, int dyPixels) override;
    void FocusRunBox() override;

    // The catalogue has been loaded once, by the first refresh tick or the first menu opened.
    bool catalogueLoaded() const { return programs_.catalogueLoaded(); }

    float alignPosition() const { return docking_.position(); }
    float glowPhase() const { return glow_.phase(); }
    platform::WindowHandle desktopWindow() const { return DesktopWindow; }
    ui::FormId formId() const { return form_.id(); }
    platform::WindowHandle window() const { return ownWindow_; }
    const tasks::TaskButtons& taskButtons() const { return tasks_; }
    const MemoryIndicator& memoryIndicator() const { return memory_; }
    const ui::MenuItem& mainMenu() const { return MSETTS; }
    const progmenu::KnownTasks& catalogue() const { return programs_.catalogue(); }
    const progmenu::Shortcuts& shortcuts() const { return shortcuts_; }
    const INFO* aboutBox() const { return about_.window(); }
    const settings::SETUP* settingsWindow() const { return settingsWindow_.window(); }
    const infrared::InfraredRemote& infrared() const { return infrared_; }
    const tasks::TaskManagerWindow& taskManager() const { return taskManager_; }
    bool glowRunning() const { return glow_.running(); }
    bool refreshRunning() const { return RTASKS.enabled(); }
    bool dockingTimerRunning() const { return docking_.timerRunning(); }
    const bar::Docking& docking() const { return docking_; }
    int refreshIntervalMs() const { return RTASKS.interval(); }
    bool fullHeightSelected() const { return docking_.fullHeight(); }
    bool hotKeyRegistered() const { return hotKey_.registered(); }
    static constexpr int kHotKeyModifiers = KeyboardHotKey::kModifiers;
    static constexpr int kHotKey = KeyboardHotKey::kKey;

private:
    void Layout();
    void ApplySettings();
    // After a save of this settings group (or all); the alignment only when the user chose one.
    void ApplySavedSettings(settings::SettingsGroup group, bool alignmentChosen);
    // Docks or places the bar as the stored alignment says; nothing when none is stored.
    void ApplyAlignment(bool atStart);
    // The hot key: the bar comes out and in front, its first task button (or the run box) focused.
    void BringOutForKeyboard();
    ui::Rect frame();
    void setFrame(const ui::Rect& rect);

    platform::Platform& platform_;
    ui::Toolkit& toolkit_;
    platform::Desktop& desktop_;
    settings::SetupMem settings_;
    ui::Form form_;
    platform::WindowHandle ownWindow_;
    platform::WindowHandle DesktopWindow = 0;
    bool refreshing_ = false;
    bool ending_ = false;

    bar::LogoStrip logo_;
    ui::Control Picture2; // panel along the bottom edge holding the indicators
    bar::GlowStrip glow_;
    // Made here to keep their places in the tab order; the run box and the menus give them work.
    ui::Control RBUT; // label: browse for a program to run
    WinampButtons winamp_;
    ui::Control SSETTS; // label: opens the main menu
    ui::Control STX;    // label: opens the program menu
    ui::Control VRUN;   // text box: the run box
    bar::RunBox runBox_;
    tasks::TaskManagerWindow taskManager_;
    ProcessCounter processCounter_;
    MemoryIndicator memory_;
    ui::Control Picture3; // picture, hidden
    ui::Control Label1;   // label, hidden
    ConnectionLamp lamp_;
    Clock clock_;
    tasks::TaskButtons tasks_;
    tasks::TaskButtonInput taskInput_;
    NotificationArea tray_;

    ui::Timer RTASKS; // the refresh tick
    ui::MenuItem MSETTS;
    bar::Docking docking_;
    progmenu::ProgramCatalogue programs_;
    progmenu::Shortcuts shortcuts_;
    ui::SecondaryWindow<INFO> about_;
    settings::SettingsWindow settingsWindow_;
    bar::RemoteActions remoteActions_;
    infrared::InfraredRemote infrared_;
    infrared::SupportSwitch infraredSwitch_;
    KeyboardHotKey hotKey_;
    bool asleep_ = false;
};

} // namespace bar
