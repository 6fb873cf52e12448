#pragma once
// One request of a program to the notification area, as Shell_NotifyIcon sends it: what to do
// with which icon, and the fields its flags say are set.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tray {

enum class Command : std::uint32_t { Add = 0, Modify = 1, Delete = 2, SetFocus = 3, SetVersion = 4 };

// Flags of the request (NIF_*): which fields it sets.
constexpr std::uint32_t kFlagMessage = 0x01;
constexpr std::uint32_t kFlagIcon = 0x02;
constexpr std::uint32_t kFlagTip = 0x04;
constexpr std::uint32_t kFlagState = 0x08;
constexpr std::uint32_t kFlagInfo = 0x10;
constexpr std::uint32_t kFlagGuid = 0x20;
// The icon's state bit (NIS_HIDDEN).
constexpr std::uint32_t kStateHidden = 0x01;

// The most characters of each text, its terminating zero not counted.
constexpr std::size_t kTipLength = 127;
constexpr std::size_t kInfoLength = 255;
constexpr std::size_t kInfoTitleLength = 63;

// An icon sent as its bitmaps' bits, rows padded to 16 bits as GetBitmapBits gives them: the AND
// mask, then the colour bits (none for a monochrome icon, whose mask holds both halves).
struct IconBits {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 1;
    std::vector<std::uint8_t> mask;
    std::vector<std::uint8_t> colour;
};

struct NotifyRequest {
    Command command = Command::Add;
    std::uint32_t window = 0; // the program's window, as a 32-bit handle value
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    std::u16string tip;
    std::uint32_t state = 0;
    std::uint32_t stateMask = 0;
    std::u16string info;
    std::u16string infoTitle;
    std::uint32_t infoFlags = 0;
    std::uint32_t timeoutOrVersion = 0;
    // The icon: a handle any process can draw (the system's own layout), or its bits.
    std::uint32_t iconHandle = 0;
    std::optional<IconBits> iconBits;
};

} // namespace tray
