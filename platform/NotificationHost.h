#pragma once
// The window programs find as the notification area's: Shell_NotifyIcon sends it their requests,
// and the bar posts their icons' clicks back to them.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Types.h"

namespace platform {

// A request block (WM_COPYDATA's dwData, data and size); the answer is the program's.
using TrayRequestHandler = std::function<bool(std::uintptr_t dwData, const void* data, std::size_t size)>;

class NotificationHost {
public:
    virtual ~NotificationHost() = default;
    // Becomes the window that programs find, in front of any other of its kind, which keeps
    // getting whatever the bar does not handle itself. False when it cannot.
    virtual bool start(TrayRequestHandler handler) = 0;
    // Gives the place back to the window it stood in front of.
    virtual void stop() = 0;
    virtual bool hosting() const = 0;
    // Stands in front again when another window of its kind came before it (a restarted system
    // taskbar); true when it had to.
    virtual bool keepInFront() = 0;
    // Tells every program that the notification area is new, so that they add their icons again.
    virtual void announce() = 0;
    // Windows here are programs' windows as the 32-bit values their requests carry.
    virtual bool post(std::uint32_t window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual bool windowExists(std::uint32_t window) = 0;
    // Lets the window's program take the foreground, so that the menu it shows comes up in front.
    virtual void allowForeground(std::uint32_t window) = 0;
    // An icon made from bitmap bits as a request carries them (rows padded to 16 bits: the AND
    // mask, then the colour bits; a monochrome icon's mask holds both halves), owned by the
    // caller, who frees it with Desktop::destroyIcon. 0 when it cannot be made.
    virtual IconHandle makeIcon(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
        const std::vector<std::uint8_t>& mask, const std::vector<std::uint8_t>& colour) = 0;
};

} // namespace platform
