#pragma once
// The optional side files beside the executable: the logo strip (".BMP"), its colour and tooltip
// (".NFO": line 1 RRGGBB, line 2 the tooltip) and the window icon (".ICO").
#include "platform/Files.h"
#include "platform/Toolkit.h"

#include <optional>
#include <string>

namespace bar {

struct LogoDescription {
    std::optional<ui::Colour> colour;   // line 1, when it is a colour
    std::optional<std::string> toolTip; // line 2, only when line 1 was a colour
};

// What an ".NFO" file's bytes describe; anything malformed is left out.
LogoDescription ParseLogoDescription(const std::string& bytes);

// Reads base + ".NFO" (at most a small size); an unreadable file describes nothing.
LogoDescription ReadLogoDescription(platform::Files& files, const std::string& base);

} // namespace bar
