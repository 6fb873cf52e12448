#pragma once
// Request blocks as Wine's Shell_NotifyIcon sends them, for the tests: the 960-byte block, and a
// 16 x 16 icon of 32 bits a pixel after it when the request sets an icon.
#include "tray/NotifyBlock.h"

#include <cstdint>
#include <vector>

namespace tray_test {

using Bytes = std::vector<std::uint8_t>;

inline void Put32(Bytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void PutText(Bytes& b, std::size_t at, const char* text)
{
    for (std::size_t i = 0; text[i]; ++i)
        b[at + 2 * i] = static_cast<std::uint8_t>(text[i]);
}

struct WineRequest {
    std::uint32_t window = 0x1234;
    std::uint32_t id = 1;
    std::uint32_t flags = 0;
    std::uint32_t callback = 0x8001;
    const char* tip = "";
    std::uint32_t state = 0, stateMask = 0;
    const char* info = "";
    std::uint32_t timeoutOrVersion = 0;

    Bytes bytes() const
    {
        const bool icon = (flags & tray::kFlagIcon) != 0;
        Bytes b(tray::kWineBlockSize + (icon ? 32 + 1024 : 0), 0);
        Put32(b, 0, window);
        Put32(b, 4, id);
        Put32(b, 8, flags);
        Put32(b, 12, callback);
        PutText(b, 16, tip);
        Put32(b, 272, state);
        Put32(b, 276, stateMask);
        PutText(b, 280, info);
        Put32(b, 792, timeoutOrVersion);
        if (icon) {
            Put32(b, 944, 16);
            Put32(b, 948, 16);
            Put32(b, 952, 1);
            Put32(b, 956, 32);
        }
        return b;
    }
};

} // namespace tray_test
