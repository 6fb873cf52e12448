#pragma once
// End-to-end case of the logo side file: a picture beside the executable shows the logo strip
// and moves the task buttons right of it.
#include <string>

#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/common/Report.h"

namespace bar_probe {

// Starts its own bar from a folder holding tolvix.BMP and ends it again.
void CheckLogo(e2e::Report& report, const std::string& tolvixExe, Artifacts& artifacts);

} // namespace bar_probe
