#pragma once
// Plain value types shared by every side of the platform seam.
#include <cstdint>
#include <string>

namespace platform {

// A top-level or child window of the desktop; 0 means none.
using WindowHandle = std::uint32_t;

// An icon of the platform; 0 means none.
using IconHandle = std::uintptr_t;

// The relations asked of GetWindow by the task enumeration.
enum class WindowRelation : int { Next = 2, Owner = 4, Child = 5 };

// Extended window style bits the task filter looks at.
constexpr std::uint32_t kExStyleToolWindow = 0x80;
constexpr std::uint32_t kExStyleAppWindow = 0x40000;

enum class ShowCommand : int { Hide = 0, Normal = 1, Minimize = 6, Maximize = 3, Restore = 9, Show = 5 };

// Special insert-after handles and flags of SetWindowPos.
constexpr WindowHandle kInsertTopmost = 0xFFFFFFFFu;   // HWND_TOPMOST (-1)
constexpr WindowHandle kInsertNoTopmost = 0xFFFFFFFEu; // HWND_NOTOPMOST (-2)
constexpr unsigned kPosNoSize = 0x1;
constexpr unsigned kPosNoMove = 0x2;
constexpr unsigned kPosNoActivate = 0x10;
constexpr unsigned kPosHideWindow = 0x80;
constexpr unsigned kPosAsyncWindowPos = 0x4000;

constexpr unsigned kMessageClose = 0x10;    // WM_CLOSE
constexpr unsigned kMessageCommand = 0x111; // WM_COMMAND

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// A rectangle of the virtual screen in pixels; right and bottom are outside it.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(PixelPoint p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
    bool operator==(const PixelRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const PixelRect& o) const { return !(*this == o); }
};

// A display monitor as the platform names it for as long as the display set-up stays; 0 is none.
using MonitorHandle = std::uintptr_t;

struct Monitor {
    MonitorHandle handle = 0;
    std::string deviceName; // as "\\.\DISPLAY2": what a restart finds the monitor by
    PixelRect bounds;
    PixelRect workArea; // the bounds less what the system's own bars keep for themselves
    bool primary = false;
};

} // namespace platform
