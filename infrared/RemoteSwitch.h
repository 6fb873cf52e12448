#pragma once
// The infrared values beside the settings: the switch "Infrared Remote" (REG_SZ "1" or "0") and
// the server's address "Infrared Server" (REG_SZ "address:port"), which can be set before start.
#include "platform/Registry.h"

#include <optional>
#include <string>

namespace infrared {

// nullopt when the value is missing or not a text starting with '0' or '1'.
std::optional<bool> ReadRemoteSwitch(platform::Registry& registry);
// Quietly does nothing when the key cannot be opened.
void WriteRemoteSwitch(platform::Registry& registry, bool on);
// The stored address, or the default when it is missing or malformed.
std::string ReadServerText(platform::Registry& registry);

} // namespace infrared
