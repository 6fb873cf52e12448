// The notification area's request blocks, as any program can send them: the first byte picks
// the WM_COPYDATA dwData, the rest is the block. Whatever the bytes:
// - an accepted request keeps its texts within their limits and its icon bits exactly as large
//   as its size and depth say;
// - carried out, requests never take the icons past their bound, and answer as the rules say.
#include "fuzz/FuzzCheck.h"
#include "tray/NotifyBlock.h"
#include "tray/TrayIcons.h"

#include <cstddef>
#include <cstdint>

namespace {

tray::TrayIcons icons; // kept across inputs, so that the bound is reached

void CheckRequest(const tray::NotifyRequest& r)
{
    FUZZ_CHECK(r.tip.size() <= tray::kTipLength && r.info.size() <= tray::kInfoLength &&
        r.infoTitle.size() <= tray::kInfoTitleLength);
    if (!r.iconBits)
        return;
    const tray::IconBits& icon = *r.iconBits;
    FUZZ_CHECK(
        icon.width >= 1 && icon.width <= tray::kMaxIconSide && icon.height >= 1 && icon.height <= tray::kMaxIconSide);
    const std::size_t rowsBits = static_cast<std::size_t>(icon.width) * icon.height;
    if (icon.bitsPerPixel == 1)
        FUZZ_CHECK(icon.mask.size() == (2 * rowsBits + 15) / 16 * 2 && icon.colour.empty());
    else
        FUZZ_CHECK(icon.mask.size() == (rowsBits + 15) / 16 * 2 &&
            icon.colour.size() == (rowsBits * icon.bitsPerPixel + 15) / 16 * 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::optional<tray::NotifyRequest> request = tray::ReadNotifyBlock(data[0] % 6, data + 1, size - 1);
    if (!request)
        return 0;
    CheckRequest(*request);
    const bool existed = icons.find(request->window, request->id) != nullptr;
    const std::size_t before = icons.icons().size();
    const bool answer = icons.apply(*request);
    FUZZ_CHECK(icons.icons().size() <= tray::kMaxIcons);
    if (request->command == tray::Command::Add)
        FUZZ_CHECK(answer == (!existed && before < tray::kMaxIcons && request->window != 0));
    else if (request->command != tray::Command::SetVersion)
        FUZZ_CHECK(answer == existed);
    if (request->command == tray::Command::Delete)
        FUZZ_CHECK(icons.icons().size() == before - (answer ? 1 : 0));
    return 0;
}
