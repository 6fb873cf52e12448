#pragma once
// Which monitor the bar docks on, kept across restarts in the REG_SZ value "Align_Monitor" beside
// the settings, as "<device name>|<left>,<top>,<right>,<bottom>" (pixels). The device name finds the
// monitor again after its resolution changed; the bounds tell two unnamed monitors apart.
#include "platform/Registry.h"
#include "platform/Types.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bar {

struct RememberedMonitor {
    std::string deviceName;
    platform::PixelRect bounds;
};

constexpr const char* kMonitorValueName = "Align_Monitor";

std::string MonitorText(const platform::Monitor& monitor);
// nullopt for anything that is not exactly that form: a value written by hand or by another
// program is never half read.
std::optional<RememberedMonitor> ParseMonitorText(std::string_view text);

// The monitor of both that name and those bounds, else of that name, else of those bounds, else the
// primary one (the list's front). The list is never empty.
const platform::Monitor& FindMonitor(const std::vector<platform::Monitor>& monitors, const RememberedMonitor& wanted);

std::optional<RememberedMonitor> ReadRememberedMonitor(platform::Registry& registry);
void WriteRememberedMonitor(platform::Registry& registry, const platform::Monitor& monitor);

} // namespace bar
