#pragma once
// The text over the graph for each display mode. Lines are separated by a lone CR (code 13).
#include <string>

#include "control/core/MemoryFigures.h"

namespace dralith {

constexpr char kLineBreak = '\r';

// Writes the text of `displayMode` into `out` (cleared first; no allocation once `out` has
// room for the longest text, under 80 characters). Modes:
//   1  P "% free"                          2  M " MB free"
//   3  P "% physical free" CR Q "% pagefile free"
//   4  M " MB physical free" CR Q "% pagefile free"
//   5  M " MB physical free" CR N " MB pagefile free"
//   6  M " MB physical free" CR N " / " NT " MB pagefile free"
//   0 and every other value (also non-whole ones such as 2.5): empty.
// P, Q: free physical / page file in percent, rounded half-to-even; M, N, NT: megabytes of
// availPhys, availPageFile, totalPageFile by the megabyte rule.
void displayText(double displayMode, const MemoryFigures& figures, std::string& out);

// Convenience for tests and one-off callers.
std::string displayText(double displayMode, const MemoryFigures& figures);

} // namespace dralith
