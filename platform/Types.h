#pragma once
// Plain value types shared by every side of the platform seam.
#include <cstdint>

namespace platform {

// A top-level or child window of the desktop; 0 means none.
using WindowHandle = std::uint32_t;

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
constexpr unsigned kPosHideWindow = 0x80;
constexpr unsigned kPosAsyncWindowPos = 0x4000;

constexpr unsigned kMessageClose = 0x10;    // WM_CLOSE
constexpr unsigned kMessageCommand = 0x111; // WM_COMMAND

struct PixelPoint {
    int x = 0;
    int y = 0;
};

} // namespace platform
