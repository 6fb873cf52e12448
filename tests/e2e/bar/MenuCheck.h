#pragma once
// Checks a popup menu the bar has open against a reference rendering of what it should hold.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/bar/ReferenceMenu.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

// Captures the open menu, closes it with Escape, draws the reference at the same place and
// compares pixels. Given a default entry (`defaultIndex` >= 0), the same reference without one
// must differ, which shows the comparison sees the bold default. Images are saved as "<imageName>-bar" and
// "-reference".
void CheckMenuMatches(e2e::Report& report, Artifacts& artifacts, HWND menu, const std::string& caseName,
    const std::string& imageName, const std::vector<MenuEntry>& entries, int defaultIndex,
    const std::string& described);

} // namespace bar_probe
