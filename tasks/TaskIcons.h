#pragma once
// The icon of each task's button: the window's own small icon, asked for without waiting, else
// its class's, else none (the button then shows the generic one). An icon that exists but cannot
// be read from this process is stood in for by the icon of the window's program file. Fetched when a window is first
// asked for and when it says its icon may have changed, never per refresh. Shows only copies it
// made itself, so that a program freeing its icon cannot leave a button drawing a dead handle;
// the window's and class's icons are never freed here.
#include "platform/Desktop.h"

#include <functional>
#include <unordered_map>
#include <vector>

namespace tasks {

class TaskIcons {
public:
    // size: the icon's side in pixels on this screen. changed: an answer brought a window a new
    // icon, to be shown at the next refresh.
    TaskIcons(platform::Desktop& desktop, int size, std::function<void()> changed);
    ~TaskIcons();
    TaskIcons(const TaskIcons&) = delete;
    TaskIcons& operator=(const TaskIcons&) = delete;

    // The icon to show for the window now, 0 for the generic one; the first call for a window
    // starts its fetch. Calls that found a window keep its icon past the next dropUnused.
    platform::IconHandle iconFor(platform::WindowHandle window);
    // The window's icon may have changed: asks it again (once its last ask is answered) at the
    // end of the next refresh.
    void refetch(platform::WindowHandle window);
    // After the buttons took their icons: frees those of windows not asked for since the last
    // call and the icons the buttons showed before, then sends the asks that wait. Sending only
    // here keeps a refresh whole: on some platforms (Wine) a send lets other programs' messages
    // to the bar run, which would read the buttons half made.
    void finishRefresh();

    static int SizeForScreen(float twipsPerPixel);

private:
    // A copy made by copyIcon, freed once.
    class OwnedIcon {
    public:
        OwnedIcon() = default;
        OwnedIcon(platform::Desktop& desktop, platform::IconHandle icon)
            : desktop_(&desktop)
            , icon_(icon)
        {
        }
        ~OwnedIcon() { reset(); }
        OwnedIcon(OwnedIcon&& other) noexcept { *this = std::move(other); }
        OwnedIcon& operator=(OwnedIcon&& other) noexcept;
        platform::IconHandle get() const { return icon_; }
        void reset();

    private:
        platform::Desktop* desktop_ = nullptr;
        platform::IconHandle icon_ = 0;
    };
    struct Entry {
        OwnedIcon shown;
        OwnedIcon retired;              // the one the button may still show until the next refresh
        platform::IconHandle given = 0; // what iconFor last handed out
        platform::IconHandle source = 0;
        bool asking = false;
        bool askAgain = false;
        bool used = true;
    };

    // Queues the ask for finishRefresh.
    void ask(platform::WindowHandle window, Entry& entry);
    void answered(platform::WindowHandle window, platform::IconHandle icon);
    // Shows a copy of source (the class's icon when 0); false when nothing changed.
    bool take(platform::WindowHandle window, Entry& entry, platform::IconHandle source);

    platform::Desktop& desktop_;
    int size_;
    std::function<void()> changed_;
    std::unordered_map<platform::WindowHandle, Entry> entries_;
    std::vector<platform::WindowHandle> asks_;
};

} // namespace tasks
