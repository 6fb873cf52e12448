#pragma once
// An in-memory toolkit: forms and controls as property records, a virtual clock that fires
// timers, queued user input delivered when pending messages are processed, and popup menus
// whose choices the test scripts. Every property write is counted.
// Timers behave as on the real platform: a timer due at the current time also fires when a
// handler processes pending messages, never inside its own handler (that tick is dropped), and
// never with an interval of 0. A timer tick or queued input that throws is stopped there, as the
// real window procedure stops it, and recorded in `failures`.
#include "platform/FocusRules.h"
#include "platform/Toolkit.h"
#include "platform/sim/SimDesktop.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <set>
#include <string>
#include <vector>

namespace sim {

struct SimForm {
    ui::FormSpec props;
    ui::FormEvents* events = nullptr;
    ui::Rect rect;
    ui::WindowState state = ui::WindowState::Normal;
    bool visible = false;
    platform::WindowHandle window = 0;
    std::string iconPath;
    std::optional<platform::PixelRect> clip; // the part shown, screen pixels; all when none
    // What each control shows, the user's input included.
    std::unordered_map<ui::ControlId, ui::ControlSpec> controls;
    // The picture each Picture control shows: a file path or a resource name.
    std::unordered_map<ui::ControlId, std::string> shownPictures;
    struct TimerState {
        int intervalMs = 0;
        bool enabled = false;
        long long dueMs = 0;
        bool running = false; // its handler is on the stack
    };
    std::map<ui::TimerId, TimerState> timers;
};

struct ShownMenu {
    ui::MenuItem menu;
    ui::MenuId defaultItem = 0;
    // The owner could come to the front for it: without, a real menu would not close when the
    // user clicks elsewhere and would not get the keys.
    bool inFront = true;
};

struct InputBoxRequest {
    ui::FormId owner = 0;
    std::string prompt, title, defaultText;
};

class SimToolkit final : public ui::Toolkit {
public:
    explicit SimToolkit(SimDesktop& desktop)
        : desktop_(desktop)
    {
        desktop_.primaryScreen = [this] {
            return platform::PixelRect {0, 0, metrics.widthPixels, metrics.heightPixels};
        };
    }
    // What the platform does after the desktop's monitorList changed: every form hears of it.
    void changeDisplays();

    // The height of a list box row, in twips (13 pixels).
    static constexpr float kListRowTwips = 195;

    // Test side.
    ui::ScreenMetrics metrics {15, 15, 1024, 768};
    // Frame of every form: border and caption, in pixels.
    int borderPixels = 3;
    int captionPixels = 16;
    // Picture and icon files the simulated picture loader accepts, and the program's own
    // bitmap resources.
    std::map<std::string, ui::Size> pictures;
    std::set<std::string> icons;
    std::map<std::string, ui::Size> resourcePictures;
    // Choices the next popup menus return, in order; an empty queue dismisses the menu.
    std::deque<ui::MenuId> menuChoices;
    std::vector<ShownMenu> shownMenus;
    // Answers of the next dialogs, in order; nullopt or an empty queue is a cancel.
    std::deque<std::optional<std::string>> fileDialogAnswers;
    std::vector<ui::OpenFileRequest> fileDialogRequests;
    std::deque<std::optional<std::string>> inputBoxAnswers;
    std::vector<InputBoxRequest> inputBoxRequests;
    long long propertyWrites = 0;
    // The control that has the keyboard focus: form and id.
    std::pair<ui::FormId, ui::ControlId> focus {0, 0};
    // Text boxes whose whole text is selected: the next typed key replaces it. A new text from
    // the program or the user ends the selection.
    std::set<std::pair<ui::FormId, ui::ControlId>> wholeTextSelected;
    bool quitRequested = false;
    // What each timer tick or queued input that threw said, in order.
    std::vector<std::string> failures;

    SimForm* form(ui::FormId id);
    // The forms not destroyed yet, in the order they were created.
    std::vector<ui::FormId> liveForms() const;
    // Finds a control in any live form.
    const ui::ControlSpec* control(ui::ControlId id) const;
    // Advances the virtual clock, firing due timers in time order. May be called from inside a
    // handler (queued input, say): the clock only moves forward.
    void advance(long long ms);
    long long nowMs() const { return nowMs_; }
    // User input, delivered the next time pending messages are processed, before due timers.
    void queueInput(std::function<void()> input) { input_.push_back(std::move(input)); }
    // The user closes a form with its window menu or Alt+F4; true when it closed.
    bool userClose(ui::FormId id);
    // The platform (log off, another program) closes a form; true when it closed.
    bool platformClose(ui::FormId id, ui::CloseReason reason);
    void setFormState(ui::FormId id, ui::WindowState state);
    // The user drags the frame.
    void userResize(ui::FormId id, const ui::Rect& rect) { setFormRect(id, rect); }
    // The user's input on a control, reported to the form as the real toolkit reports it.
    void mouseUp(ui::FormId id, ui::ControlId control, ui::MouseButton button, float x = 0, float y = 0, int shift = 0);
    void doubleClick(ui::FormId id, ui::ControlId control);
    // The wheel turned over the form (120 a notch, positive away from the user) with the mouse
    // at x, y of its client area, over `control` (0: the background).
    void wheel(ui::FormId id, ui::ControlId control, float x, float y, int turn);
    // A left press on a pressable control let go at x, y from its top left corner: a drag when
    // that is outside it, else the click it is.
    void pressAndRelease(ui::FormId id, ui::ControlId control, float x, float y);
    // Types the characters at the end of a text box, one key at a time; '\b' deletes the last.
    void typeText(ui::FormId form, ui::ControlId id, const std::string& keys);
    // Pastes over the whole text of a text box, cut to its maxLength as the real box cuts it.
    void pasteText(ui::FormId form, ui::ControlId id, const std::string& text);
    void toggleCheck(ui::FormId form, ui::ControlId id);
    // `thumb`: where a dragged thumb is dropped (ScrollRequest::Thumb).
    void scroll(ui::FormId form, ui::ControlId id, ui::ScrollRequest request, int thumb = 0);
    // Selects these items of a list box, replacing the selection.
    void selectItems(ui::FormId form, ui::ControlId id, const std::vector<int>& indices);
    // A key goes down while the form has the focus, as the platform's dialog manager takes it:
    // the form's accelerators first, then Tab and the arrows move the focus, Enter and Esc press
    // the focused, default or cancel button, Space and the context-menu key (or Shift+F10, shift
    // 1) go to the focused control. True when something took it.
    bool pressKey(ui::FormId form, int virtualKey, int shift = 0);
    // Hot keys held by forms, by form; and those another program holds already.
    std::map<ui::FormId, std::pair<int, int>> hotKeys;
    std::set<std::pair<int, int>> hotKeysTaken;
    // The user presses a hot key; true when a form holds it.
    bool pressHotKey(int modifiers, int virtualKey);

    ui::ScreenMetrics screen() override { return metrics; }
    ui::FormId createForm(const ui::FormSpec& props, ui::FormEvents& events) override;
    void destroyForm(ui::FormId form) override;
    platform::WindowHandle formWindow(ui::FormId form) override;
    void showForm(ui::FormId form, bool visible) override;
    void showFormInactive(ui::FormId form) override { showForm(form, true); }
    void bringToFront(ui::FormId form) override;
    void setFormCaption(ui::FormId form, const std::string& caption) override;
    void focusControl(ui::FormId form, ui::ControlId id) override;
    // The focus as `focus` records it, on a control, while the form's window is in front.
    bool controlHasFocus(ui::FormId form) override;
    void selectAllText(ui::FormId form, ui::ControlId id) override;
    bool registerHotKey(ui::FormId form, int modifiers, int virtualKey) override;
    void unregisterHotKey(ui::FormId form) override { hotKeys.erase(form); }
    // Rows of kListRowTwips from the list's top, never scrolled.
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

private:
    // The form's desktop window stands where the form does, in pixels.
    void syncWindowRect(const SimForm& f);
    using TimerKey = std::pair<ui::FormId, ui::TimerId>;
    // The earliest enabled timer due at or before `until`; ties go to the lower form and timer id.
    std::optional<TimerKey> nextDue(long long until) const;
    void fire(const TimerKey& key);
    // Runs one event as a window procedure would: what it throws stops here.
    template <typename Event> void deliver(const Event& event);
    ui::ControlSpec* writable(ui::FormId form, ui::ControlId id);
    // The control as the user sees it, for input; null when there is none.
    ui::ControlSpec* shown(ui::FormId form, ui::ControlId id);
    void report(ui::FormId form, ui::UserInput& input);
    // Presses a button as Enter or Space does; false when it is hidden or disabled.
    bool press(ui::FormId form, ui::ControlId id, int virtualKey);
    static ui::ControlSpecs specsOf(const SimForm& f);
    // A form with dialog keys gives its first control the focus when activated.
    void focusOnActivation(ui::FormId form);
    struct Frame {
        int border, caption; // pixels
    };
    Frame frameOf(const ui::FormSpec& props) const;
    ui::Size clientOf(const SimForm& f) const;

    SimDesktop& desktop_;
    std::map<ui::FormId, SimForm> forms_;
    ui::FormId nextForm_ = 1;
    long long nowMs_ = 0;
    std::deque<std::function<void()>> input_;
};

} // namespace sim
