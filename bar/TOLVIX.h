#pragma once
// The bar window: its form, layout, docking and auto-hide, and the order of the refresh tick.
// Each indicator and secondary window owns its controls and registers its own handlers.
#include "bar/Clock.h"
#include "bar/ConnectionLamp.h"
#include "bar/WinampButtons.h"
#include "bar/MemoryIndicator.h"
#include "platform/Platform.h"
#include "platform/Widgets.h"
#include "settings/SetupMem.h"
#include "bar/ProcessCounter.h"
#include "tasks/TaskButtons.h"
#include "tasks/TaskManagerWindow.h"

#include <memory>
#include <vector>

class TOLVIX final {
public:
    explicit TOLVIX(platform::Platform& platform);
    TOLVIX(const TOLVIX&) = delete;
    TOLVIX& operator=(const TOLVIX&) = delete;

    // The start-up sequence; the bar is shown at its end.
    void Load();
    // -1 for a free-floating bar, 0 to 8 for a docking position; other values are ignored.
    void SetAlign(float position);
    void RefreshTaskButtons();
    // One tick of RTASKS: buttons, memory, clock, pending messages, automatic free-up, lamp,
    // Winamp, process count, in that order.
    void Refresh();

    float alignPosition() const { return AlignPosition; }
    float glowPhase() const { return GlowPhase; }
    platform::WindowHandle desktopWindow() const { return DesktopWindow; }
    ui::FormId formId() const { return form_.id(); }
    platform::WindowHandle window() const { return ownWindow_; }
    const tasks::TaskButtons& taskButtons() const { return tasks_; }
    const MemoryIndicator& memoryIndicator() const { return memory_; }
    const ui::MenuItem& mainMenu() const { return MSETTS; }
    bool dockingTimerRunning() const { return MALLI.enabled(); }
    int refreshIntervalMs() const { return RTASKS.interval(); }
    bool fullHeightSelected() const;

private:
    void Layout();
    void DockingStep();
    void GlowStep();
    void ApplyLogo();
    bool ApplyIcon();
    void ApplySettings();
    void PopupSettings(int page);
    void TaskButtonReleased(ui::ControlId id, ui::MouseButton button);
    void SetFullHeight(bool selected);
    // Ends the program at once; nothing may touch the windows after this.
    void Quit();
    ui::MenuItem BuildMainMenu();
    ui::Rect frame();
    void setFrame(const ui::Rect& rect);

    platform::Platform& platform_;
    ui::Toolkit& toolkit_;
    platform::Desktop& desktop_;
    settings::SetupMem settings_;
    ui::Form form_;
    platform::WindowHandle ownWindow_;
    float AlignPosition = -1;
    float GlowPhase = 0;
    platform::WindowHandle DesktopWindow = 0;
    bool refreshing_ = false;
    bool ending_ = false;

    ui::Control OEMLOGO;  // picture: the optional logo strip along the left edge
    ui::Control Picture2; // panel along the bottom edge holding the indicators
    ui::Control MMX;      // picture: the glow strip along the panel's top
    ui::Control RBUT;     // label: browse for a program to run
    WinampButtons winamp_;
    ui::Control SSETTS; // label: opens the main menu
    ui::Control STX;    // label: opens the program menu
    ui::Control VRUN;   // text box: the run box
    tasks::TaskManagerWindow taskManager_;
    ProcessCounter processCounter_;
    MemoryIndicator memory_;
    ui::Control Picture3; // picture, hidden
    ui::Control Label1;   // label, hidden
    ConnectionLamp lamp_;
    Clock clock_;
    tasks::TaskButtons tasks_;

    ui::Timer MMY;    // 50 ms: the glow strip
    ui::Timer MALLI;  // 500 ms: docking and auto-hide
    ui::Timer RTASKS; // the refresh tick
    ui::MenuItem MSETTS;
};
