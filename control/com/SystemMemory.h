#pragma once
// The machine's memory figures, read from the 64-bit memory status.
#include "control/core/MemoryFigures.h"

namespace dralith {

MemoryFigures readMemoryFigures();

} // namespace dralith
