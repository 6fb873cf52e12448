#pragma once
// Whether the bar's hot key is on: a value of its own beside the settings table's, whose
// layout it does not share. On unless it was turned off.
#include "platform/Registry.h"

namespace settings {

constexpr const char* kHotKeyValueName = "General_HotKey";

bool ReadHotKeySetting(platform::Registry& registry);
// False when it could not be written.
bool WriteHotKeySetting(platform::Registry& registry, bool on);

} // namespace settings
