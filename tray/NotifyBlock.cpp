#include "tray/NotifyBlock.h"

#include <cstring>

namespace tray {

namespace {

// Reads little-endian fields from a block whose size was checked before.
class Fields {
public:
    Fields(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }
    std::uint32_t u32(std::size_t at) const
    {
        std::uint32_t v = 0;
        if (at + 4 <= size_)
            for (int i = 3; i >= 0; --i)
                v = (v << 8) | data_[at + static_cast<std::size_t>(i)];
        return v;
    }
    // A text of `chars` UTF-16 units; false when no terminating zero lies within them.
    bool text(std::size_t at, std::size_t chars, std::u16string& out) const
    {
        out.clear();
        for (std::size_t i = 0; i < chars && at + 2 * i + 2 <= size_; ++i) {
            const char16_t c = static_cast<char16_t>(data_[at + 2 * i] | (data_[at + 2 * i + 1] << 8));
            if (c == 0)
                return true;
            out.push_back(c);
        }
        out.clear();
        return false;
    }
    const std::uint8_t* at(std::size_t offset) const { return data_ + offset; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// Where each field lies in one layout.
struct Layout {
    std::size_t window, id, flags, callback, tip, state, stateMask, info, timeout, infoTitle, infoFlags;
};

// The system's: signature, command, then the request (cbSize, hWnd, uID, uFlags, uCallbackMessage,
// hIcon, szTip[128], dwState, dwStateMask, szInfo[256], uTimeout, szInfoTitle[64], dwInfoFlags, ...).
constexpr Layout kSystem {12, 16, 20, 24, 32, 288, 292, 296, 808, 812, 940};
constexpr std::size_t kSystemIcon = 28;
// Wine's: hWnd, uID, uFlags, uCallbackMessage, szTip[128], dwState, dwStateMask, szInfo[256],
// uTimeout, szInfoTitle[64], dwInfoFlags, guidItem, then the icon's width, height, planes, bpp.
constexpr Layout kWine {0, 4, 8, 12, 16, 272, 276, 280, 792, 796, 924};
constexpr std::size_t kWineIconInfo = 944;

bool ReadCommon(const Fields& f, const Layout& at, std::uint32_t command, NotifyRequest& r)
{
    if (command > static_cast<std::uint32_t>(Command::SetVersion))
        return false;
    r.command = static_cast<Command>(command);
    r.window = f.u32(at.window);
    r.id = f.u32(at.id);
    r.flags = f.u32(at.flags);
    if (r.flags & kFlagMessage)
        r.callbackMessage = f.u32(at.callback);
    if ((r.flags & kFlagTip) && !f.text(at.tip, kTipLength + 1, r.tip))
        return false;
    if (r.flags & kFlagState) {
        r.state = f.u32(at.state);
        r.stateMask = f.u32(at.stateMask);
    }
    if ((r.flags & kFlagInfo) &&
        (!f.text(at.info, kInfoLength + 1, r.info) || !f.text(at.infoTitle, kInfoTitleLength + 1, r.infoTitle)))
        return false;
    if (r.flags & kFlagInfo)
        r.infoFlags = f.u32(at.infoFlags);
    r.timeoutOrVersion = f.u32(at.timeout);
    return true;
}

constexpr std::size_t BitmapBytes(std::uint64_t width, std::uint64_t height, std::uint64_t bitsPerPixel)
{
    return static_cast<std::size_t>((width * height * bitsPerPixel + 15) / 16 * 2);
}

// The icon bits after Wine's block: exactly as many as its size and depth say.
bool ReadWineIcon(const Fields& f, std::size_t size, NotifyRequest& r)
{
    const std::uint32_t width = f.u32(kWineIconInfo);
    const std::uint32_t height = f.u32(kWineIconInfo + 4);
    const std::uint32_t planes = f.u32(kWineIconInfo + 8);
    const std::uint32_t bpp = f.u32(kWineIconInfo + 12);
    const std::size_t extra = size - kWineBlockSize;
    if (!(r.flags & kFlagIcon) || (width == 0 && height == 0))
        return extra == 0; // no icon, or one the sender could not read
    if (width == 0 || height == 0 || width > kMaxIconSide || height > kMaxIconSide || planes != 1)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    // A monochrome icon has no colour bitmap: its mask is twice as high and holds both halves.
    const std::size_t maskBytes = bpp == 1 ? BitmapBytes(width, 2 * height, 1) : BitmapBytes(width, height, 1);
    const std::size_t colourBytes = bpp == 1 ? 0 : BitmapBytes(width, height, bpp);
    if (extra != maskBytes + colourBytes)
        return false;
    IconBits icon;
    icon.width = width;
    icon.height = height;
    icon.bitsPerPixel = bpp;
    const std::uint8_t* bits = f.at(kWineBlockSize);
    icon.mask.assign(bits, bits + maskBytes);
    icon.colour.assign(bits + maskBytes, bits + maskBytes + colourBytes);
    r.iconBits = std::move(icon);
    return true;
}

} // namespace

std::optional<NotifyRequest> ReadNotifyBlock(std::uintptr_t dwData, const void* data, std::size_t size)
{
    if (!data)
        return std::nullopt;
    const Fields f(static_cast<const std::uint8_t*>(data), size);
    NotifyRequest r;
    if (dwData == 1 && size == kSystemBlockSize && f.u32(0) == kSystemSignature) {
        if (!ReadCommon(f, kSystem, f.u32(4), r))
            return std::nullopt;
        if (r.flags & kFlagIcon)
            r.iconHandle = f.u32(kSystemIcon);
        return r;
    }
    if (dwData > static_cast<std::uintptr_t>(Command::SetVersion) || size < kWineBlockSize)
        return std::nullopt;
    if (!ReadCommon(f, kWine, static_cast<std::uint32_t>(dwData), r) || !ReadWineIcon(f, size, r))
        return std::nullopt;
    return r;
}

} // namespace tray
