#pragma once
// The logo colour line of the ".NFO" side file: RRGGBB as six hexadecimal digits.
#include "platform/Toolkit.h"

#include <optional>
#include <string_view>

namespace bar {

// The platform colour value (blue high, red low): FF8000 gives 0x0080FF. Trailing blanks are
// allowed; anything else that is not exactly six hexadecimal digits is refused.
std::optional<ui::Colour> ParseLogoColour(std::string_view line);

} // namespace bar
