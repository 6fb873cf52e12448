#pragma once
// An in-memory toolkit: forms and controls as property records, a virtual clock that fires
// timers, queued user input delivered when pending messages are processed, and popup menus
// whose choices the test scripts. Every property write is counted.
// Timers behave as on the real platform: a timer due at the current time also fires when a
// handler processes pending messages, never inside its own handler (that tick is dropped), and
// never with an interval of 0. A timer tick or queued input that throws is stopped there, as the
// real window procedure stops it, and recorded in `failures`.
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
    std::unordered_map<ui::ControlId, ui::ControlSpec> controls;
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
};

class SimToolkit final : public ui::Toolkit {
public:
    explicit SimToolkit(SimDesktop& desktop)
        : desktop_(desktop)
    {
    }

    // Test side.
    ui::ScreenMetrics metrics {15, 15, 1024, 768};
    // Frame of every form: border and caption, in pixels.
    int borderPixels = 3;
    int captionPixels = 16;
    // Picture and icon files the simulated picture loader accepts.
    std::map<std::string, ui::Size> pictures;
    std::set<std::string> icons;
    // Choices the next popup menus return, in order; an empty queue dismisses the menu.
    std::deque<ui::MenuId> menuChoices;
    std::vector<ShownMenu> shownMenus;
    long long propertyWrites = 0;
    bool quitRequested = false;
    // What each timer tick or queued input that threw said, in order.
    std::vector<std::string> failures;

    SimForm* form(ui::FormId id);
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
    void mouseUp(ui::FormId id, ui::ControlId control, ui::MouseButton button, float x = 0, float y = 0);
    void doubleClick(ui::FormId id, ui::ControlId control);
    // The user selects these items of a list box (replacing the selection).
    void selectItems(ui::FormId form, ui::ControlId id, std::vector<int> indices);

    ui::ScreenMetrics screen() override { return metrics; }
    ui::FormId createForm(const ui::FormSpec& props, ui::FormEvents& events) override;
    void destroyForm(ui::FormId form) override;
    platform::WindowHandle formWindow(ui::FormId form) override;
    void showForm(ui::FormId form, bool visible) override;
    void bringToFront(ui::FormId form) override;
    ui::Rect formRect(ui::FormId form) override;
    void setFormRect(ui::FormId form, const ui::Rect& rect) override;
    ui::Size clientSize(ui::FormId form) override;
    ui::WindowState formState(ui::FormId form) override;
    bool setFormIcon(ui::FormId form, const std::string& path) override;
    void createControl(ui::FormId form, ui::ControlId id, const ui::ControlSpec& props) override;
    void destroyControl(ui::FormId form, ui::ControlId id) override;
    void updateControl(
        ui::FormId form, ui::ControlId id, const ui::ControlSpec& props, ui::Properties changed) override;
    std::string caption(ui::FormId form, ui::ControlId id) override;
    std::vector<int> selectedItems(ui::FormId form, ui::ControlId id) override;
    std::optional<ui::Size> loadPicture(ui::FormId form, ui::ControlId id, const std::string& path) override;
    void setTimer(ui::FormId form, ui::TimerId id, int intervalMs, bool enabled) override;
    ui::MenuId popupMenu(ui::FormId form, const ui::MenuItem& menu, ui::MenuId defaultItem) override;
    void processPendingMessages() override;
    void quit() override;

private:
    using TimerKey = std::pair<ui::FormId, ui::TimerId>;
    // The earliest enabled timer due at or before `until`; ties go to the lower form and timer id.
    std::optional<TimerKey> nextDue(long long until) const;
    void fire(const TimerKey& key);
    // Runs one event as a window procedure would: what it throws stops here.
    template <typename Event> void deliver(const Event& event);
    ui::ControlSpec* writable(ui::FormId form, ui::ControlId id);
    ui::Size clientOf(const SimForm& f) const;

    SimDesktop& desktop_;
    std::map<ui::FormId, SimForm> forms_;
    ui::FormId nextForm_ = 1;
    long long nowMs_ = 0;
    std::deque<std::function<void()>> input_;
    std::map<std::pair<ui::FormId, ui::ControlId>, std::vector<int>> selections_;
};

} // namespace sim
