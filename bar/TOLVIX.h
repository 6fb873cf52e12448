#pragma once
// The bar window: start-up, its designed controls, timers and menus, the layout, docking and
// auto-hide, and the task buttons.
#include "platform/Platform.h"
#include "platform/Widgets.h"
#include "tasks/TaskButtons.h"

#include <memory>
#include <vector>

class TOLVIX final : public ui::FormEvents {
public:
    explicit TOLVIX(platform::Platform& platform);
    TOLVIX(const TOLVIX&) = delete;
    TOLVIX& operator=(const TOLVIX&) = delete;

    // The start-up sequence; the bar is shown at its end.
    void Load();
    // -1 for a free-floating bar, 0 to 8 for a docking position; other values are ignored.
    void SetAlign(float position);
    void RefreshTaskButtons();

    float AlignPosition = -1;
    float GlowPhase = 0;
    platform::WindowHandle DesktopWindow = 0;
    int MemoryLevel = 4;

    ui::FormId formId() const { return form_.id(); }
    platform::WindowHandle window() const { return ownWindow_; }
    const tasks::TaskButtons& taskButtons() const { return tasks_; }
    const ui::MenuItem& mainMenu() const { return MSETTS; }
    bool dockingTimerRunning() const { return MALLI.enabled(); }
    bool fullHeightSelected() const;

    void onResize() override;
    bool onCloseRequest(ui::CloseReason reason) override;
    void onClosed() override;
    void onMouseUp(ui::ControlId id, ui::MouseButton button, int shift, float x, float y) override;
    void onClick(ui::ControlId id) override;
    void onDoubleClick(ui::ControlId id) override;
    void onTimer(ui::TimerId id) override;

private:
    void Layout();
    void DockingStep();
    void GlowStep();
    void ApplyLogo();
    bool ApplyIcon();
    void LoadShortcutWindow();
    void ShowSplash();
    void PopupSettings(int page);
    // Pops up the entry's items at the mouse and carries out the choice.
    void Popup(ui::MenuId menu, ui::MenuId defaultItem);
    void RunMenuCommand(ui::MenuId id);
    void SetFullHeight(bool selected);
    ui::Rect frame();
    void setFrame(const ui::Rect& rect);

    platform::Platform& platform_;
    ui::Toolkit& toolkit_;
    platform::Desktop& desktop_;
    ui::Form form_;
    platform::WindowHandle ownWindow_;

    ui::Control OEMLOGO;
    ui::Control Picture2;
    ui::Control MMX, RBUT, WMPLAY, SSETTS, STX, VRUN, TSKMODE0, TIM3;
    std::vector<std::unique_ptr<ui::Control>> MEMMODE;
    ui::Control TIM1, Picture3, Label1;
    std::vector<std::unique_ptr<ui::Control>> ONLED;
    ui::Control TIM2;
    tasks::TaskButtons tasks_;

    ui::Timer MMY, MALLI, RTASKS;
    ui::MenuItem MSETTS, MF, T, MMEMS;
};
