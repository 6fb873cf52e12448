#pragma once
// Where the bar stands: free-floating or docked at one of nine positions of its monitor's work
// area, tucked away to a strip while the mouse is elsewhere (the MALLI timer), full height at the
// side edges, moved by the keyboard, re-docked when the displays change, and stepping behind a
// full-screen window on its monitor.
#include "bar/AlignmentChoice.h"
#include "platform/Desktop.h"
#include "platform/Registry.h"
#include "platform/Widgets.h"

#include <functional>
#include <optional>
#include <vector>

namespace bar {

class Docking {
public:
    // keyboardInside: whether a control of the bar has the keyboard focus (the bar then stays out).
    // The full-height entry is the main menu's; its check mark shows the choice.
    Docking(ui::Form& form, platform::Desktop& desktop, platform::Registry& registry, ui::MenuItem& fullHeightEntry,
        std::function<bool()> keyboardInside);
    Docking(const Docking&) = delete;
    Docking& operator=(const Docking&) = delete;

    // -1 free-floating, 0 to 8 a docking position.
    float position() const { return position_; }
    bool docked() const { return position_ != -1; }
    bool timerRunning() const { return MALLI.enabled(); }
    bool fullHeight() const { return fullHeight_; }
    bool behindFullScreen() const { return behind_ != 0; }
    // The monitor the bar docks on (or last docked on).
    const platform::Monitor& monitor() const { return monitor_; }
    // The monitor the bar stands on now: its docking monitor, or for a free bar the one holding
    // the largest part of it.
    platform::MonitorHandle barMonitor() const;

    // -1 free-floating, 0 to 8 a docking position; other values are ignored. A free bar docks on
    // the monitor holding the largest part of it; a docked one stays on its monitor.
    void SetAlign(float position);
    // An alignment the user chose on the settings window (remembered with its monitor), or the
    // stored one at start (on the remembered monitor, or the primary one when that is gone).
    void ApplyChoice(const AlignmentChoice& choice, bool atStart);
    void SetFullHeight(bool selected);
    // Moves a free-floating bar by whole pixels, keeping it on the monitor it is moved onto.
    void MoveBy(int dxPixels, int dyPixels);
    // A docked bar comes out of hiding; a free one stays where it is.
    void BringOut();
    void SetAsleep(bool asleep);
    // The monitors, their areas or the resolution changed: re-dock at once.
    void DisplaysChanged();
    // The bar steps behind a full-screen foreground window on its monitor and comes back when it
    // leaves; asked whenever the task buttons follow the desktop.
    void FollowForeground();

private:
    void Step();
    ui::Rect frame() const;
    void setFrame(const ui::Rect& rect);
    // A docked bar shows only its part on its own monitor: tucked at an edge shared with another
    // monitor, the hidden part would stand on that one.
    void updateClip();
    ui::Rect area() const;
    void readMonitors();
    // The free-floating start place on the docking monitor.
    void moveToStartPlace();
    // The monitor holding the largest part of the bar.
    const platform::Monitor& monitorOfBar() const;
    bool coversBarMonitor(platform::WindowHandle window) const;

    ui::Toolkit& toolkit_;
    ui::Form& form_;
    platform::Desktop& desktop_;
    platform::Registry& registry_;
    ui::MenuItem& fullHeightEntry_;
    std::function<bool()> keyboardInside_;
    float position_ = -1;
    bool fullHeight_ = false; // shown by the menu entry's check mark
    std::vector<platform::Monitor> monitors_;
    platform::Monitor monitor_;
    std::optional<platform::PixelRect> clip_;
    platform::WindowHandle behind_ = 0; // the full-screen window the bar stepped behind
    ui::Timer MALLI;                    // 500 ms: docking and auto-hide
};

} // namespace bar
