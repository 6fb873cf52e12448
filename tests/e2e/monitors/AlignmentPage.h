#pragma once
// Docks a running bar the way a user does: the task counter's menu opens the settings window on
// its alignment page, a click picks the list entry and "Save" applies it.
#include <string>

#include "tests/e2e/bar/LaunchBar.h"

namespace monitors_probe {

// "" or what failed on the way.
std::string ChooseAlignment(const bar_probe::RunningBar& running, int listIndex);

} // namespace monitors_probe
