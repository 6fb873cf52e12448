#pragma once
// The windowing toolkit on real Win32 windows, GDI painting and the common controls.
#include "platform/Toolkit.h"
#include "platform/win32/FormWindow.h"
#include "platform/win32/ToolkitContext.h"
#include "platform/win32/ToolkitWindowClasses.h"

#include <map>
#include <memory>

namespace platform::win32 {

class Win32Toolkit final : public ui::Toolkit {
public:
    Win32Toolkit();
    ~Win32Toolkit() override;
    Win32Toolkit(const Win32Toolkit&) = delete;
    Win32Toolkit& operator=(const Win32Toolkit&) = delete;

    ui::ScreenMetrics screen() override;

    ui::FormId createForm(const ui::FormSpec& props, ui::FormEvents& events) override;
    void destroyForm(ui::FormId form) override;
    WindowHandle formWindow(ui::FormId form) override;
    void showForm(ui::FormId form, bool visible) override;
    void showFormInactive(ui::FormId form) override;
    void bringToFront(ui::FormId form) override;
    void setFormCaption(ui::FormId form, const std::string& caption) override;
    void focusControl(ui::FormId form, ui::ControlId id) override;
    bool controlHasFocus(ui::FormId form) override;
    void selectAllText(ui::FormId form, ui::ControlId id) override;
    bool registerHotKey(ui::FormId form, int modifiers, int virtualKey) override;
    void unregisterHotKey(ui::FormId form) override;
    int listItemAt(ui::FormId form, ui::ControlId id, float x, float y) override;
    ui::Rect formRect(ui::FormId form) override;
    void setFormRect(ui::FormId form, const ui::Rect& rect) override;
    void clipForm(ui::FormId form, const std::optional<platform::PixelRect>& visible) override;
    ui::Size clientSize(ui::FormId form) override;
    ui::WindowState formState(ui::FormId form) override;
    bool setFormIcon(ui::FormId form, const std::string& path) override;

    void createControl(ui::FormId form, ui::ControlId id, const ui::ControlSpec& props) override;
    void destroyControl(ui::FormId form, ui::ControlId id) override;
    void updateControl(
        ui::FormId form, ui::ControlId id, const ui::ControlSpec& props, ui::Properties changed) override;
    std::optional<ui::Size> loadPicture(
        ui::FormId form, ui::ControlId id, const std::string& name, ui::PictureSource source) override;

    void setTimer(ui::FormId form, ui::TimerId id, int intervalMs, bool enabled) override;
    ui::MenuId popupMenu(ui::FormId form, const ui::MenuItem& menu, ui::MenuId defaultItem) override;
    std::optional<std::string> openFileDialog(ui::FormId owner, const ui::OpenFileRequest& request) override;
    std::optional<std::string> inputBox(
        ui::FormId owner, const std::string& prompt, const std::string& title, const std::string& defaultText) override;

    void processPendingMessages() override;
    void quit() override;

    // Pumps messages until the program quits; returns its exit code.
    int runMessageLoop();

private:
    // Null for an unknown form; a form whose window is gone is still found (and does nothing).
    // Shared, so that a handler dropping the form during the call cannot free it under us.
    std::shared_ptr<FormWindow> find(ui::FormId form);
    HWND ownerWindow(ui::FormId form);

    ToolkitContext context_;
    ToolkitWindowClasses classes_;
    std::map<ui::FormId, std::shared_ptr<FormWindow>> forms_;
    ui::FormId nextForm_ = 1;
};

} // namespace platform::win32
