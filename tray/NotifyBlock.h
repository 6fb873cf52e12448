#pragma once
// Reads the block that Shell_NotifyIcon hands the notification area's window in WM_COPYDATA. Two
// layouts are known, each told apart by what the block says about itself:
// - the system's own: dwData 1, a 964-byte block of a signature, the command and the request
//   with 32-bit handles, whether the caller is a 32- or a 64-bit program;
// - Wine's: dwData the command itself, a 960-byte block with the icon's size and depth at its
//   end, followed by the icon's mask and colour bits when the request sets an icon.
// A block that fits neither exactly (sizes that lie, a text without its terminating zero, icon
// bits that do not match the size they claim) is refused: nullopt.
#include "tray/NotifyRequest.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tray {

constexpr std::uint32_t kSystemSignature = 0x34753423;
constexpr std::size_t kSystemBlockSize = 964;
constexpr std::size_t kWineBlockSize = 960;
// The largest icon accepted, in pixels each way.
constexpr std::uint32_t kMaxIconSide = 256;

std::optional<NotifyRequest> ReadNotifyBlock(std::uintptr_t dwData, const void* data, std::size_t size);

} // namespace tray
