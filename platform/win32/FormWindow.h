#pragma once
// One form: its top-level window, child controls, timers and the events it gives the program.
#include "platform/Toolkit.h"
#include "platform/win32/ControlSet.h"
#include "platform/win32/PopupMenu.h"
#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"
#include "win32kit/WindowBase.h"
#include "platform/win32/ToolkitContext.h"

#include <map>
#include <memory>
#include <set>
#include <string>

namespace platform::win32 {

class FormWindow final : public std::enable_shared_from_this<FormWindow>, private win32kit::WindowBase {
    struct Key { }; // only create() builds forms, so that every form is owned by a shared_ptr

public:
    // Creates the hidden window; throws std::runtime_error when Windows refuses.
    static std::shared_ptr<FormWindow> create(
        ToolkitContext& context, const ui::FormSpec& props, ui::FormEvents& events);
    FormWindow(Key, ToolkitContext& context, const ui::FormSpec& props, ui::FormEvents& events);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // The form a window belongs to (the form's own window or any control in it), kept alive for
    // the caller even if the program drops the form meanwhile; null when there is none.
    static std::shared_ptr<FormWindow> of(HWND window);

    HWND window() const { return window_.get(); }
    bool alive() const { return static_cast<bool>(window_) && !dying_; }
    // Destroys the window without asking the program or telling it.
    void destroyQuietly();

    void show(bool visible);
    void showInactive();
    ui::Rect rect() const;
    void setRect(const ui::Rect& rect);
    ui::Size clientSize() const;
    ui::WindowState state() const;
    bool setIcon(const std::string& path);

    ControlSet& controls() { return controls_; }
    HFONT fontOf(const Control& control) { return context_.fonts.get(control.props.font); }
    void setTimer(ui::TimerId id, int intervalMs, bool enabled);
    ui::MenuId popupMenu(const ui::MenuItem& menu, ui::MenuId defaultItem);

    // Input on the controls, passed on to the program.
    void mouseUp(ui::ControlId id, ui::MouseButton button, WPARAM keys, LPARAM position);
    // The same over a standard control; a push button's left button is its click notification.
    void standardMouseUp(ui::ControlId id, ui::MouseButton button, WPARAM keys, LPARAM position);
    void doubleClick(ui::ControlId id);
    // A left press on the control let go outside it, at a point of its client area.
    void dropped(ui::ControlId id, LPARAM position);
    // The character the control is to take instead of the one typed; 0 discards the key.
    int keyPress(ui::ControlId id, int character);
    // True when the program took the key.
    bool accelerator(int virtualKey);
    // Whether the program acts on a left click on the control.
    bool clickable(ui::ControlId id) const { return canNotify() && events_.clickable(id); }
    // A left click in the middle of a painted control, as a screen reader's press.
    void press(ui::ControlId id, HWND control);
    OleAccess* oleAccess() { return context_.oleAccess(); }
    // Notifications the standard controls send to their parent, the form or a panel.
    bool handleChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The keyboard: what the form was made with, a key on a control that acts on keys, and a
    // button pressed from the keyboard.
    const ui::FormSpec& formSpec() const { return props_; }
    void keyOn(ui::ControlId id, int virtualKey);
    void press(const Control& control);
    // Tab (Shift+Tab) or an arrow key moves the focus: Tab in reading order, the arrows within a
    // group. False when the key is not one of these.
    bool moveFocus(int virtualKey, bool backwards);
    // The one hot key of the form; false when another program holds it.
    bool registerHotKey(int modifiers, int virtualKey);
    void unregisterHotKey();

private:
    struct Timer {
        int intervalMs = 0;
        bool enabled = false;
    };

    void createWindow(const ui::FormSpec& props);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // WM_MOUSEWHEEL, a child's passed on by the default procedure: the point is on the screen.
    void wheel(WPARAM wParam, LPARAM lParam);
    void windowDestroyed(HWND window) override;
    LRESULT resultAfterFailure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    std::shared_ptr<const void> holdDuringMessage() override { return weak_from_this().lock(); }
    void onCreated(HWND window);
    void onSize(WPARAM kind);
    void onTimer(ui::TimerId id);
    // Asks the program; a granted request destroys the window. Returns whether it was granted.
    bool requestClose(ui::CloseReason reason);
    void onDestroy();
    bool paintBackground(HDC dc);
    void report(ui::UserInput& input);
    void scrolled(HWND bar, int request);
    void commandFrom(HWND child, UINT code);
    // The dialog manager's messages to the form; true when handled.
    bool dialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void restoreFocus();

    bool canNotify() const { return ready_ && !quiet_ && !context_.quitting; }

    ToolkitContext& context_;
    ui::FormEvents& events_;
    ui::FormSpec props_;
    // The control that had the focus when the form was last deactivated.
    HWND lastFocus_ = nullptr;
    bool hotKey_ = false;
    UniqueWindow window_;
    UniqueBrush background_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    ControlSet controls_;
    std::map<ui::TimerId, Timer> timers_;
    // The real menus last shown, by the id of their root: shown again as they are while their
    // data has not changed (a large program menu takes long to build).
    std::map<ui::MenuId, std::shared_ptr<PopupMenu>> menus_;
    std::set<ui::TimerId> timersRunning_;
    bool ready_ = false; // no events while the window is still being created
    bool quiet_ = false; // destroyed by the program: no close handling, no closed event
    bool dying_ = false; // WM_DESTROY has arrived
};

} // namespace platform::win32
