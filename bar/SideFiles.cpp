#include "bar/SideFiles.h"

#include "bar/LogoColour.h"
#include "platform/TextLines.h"

namespace bar {

namespace {
// Side files are small; anything beyond this is not a logo description.
constexpr std::size_t kMaxSideFileBytes = 64 * 1024;
} // namespace

LogoDescription ParseLogoDescription(const std::string& bytes)
{
    LogoDescription description;
    const auto lines = platform::SplitLines(bytes, 2);
    if (lines.empty())
        return description;
    description.colour = ParseLogoColour(lines[0]);
    if (description.colour && lines.size() >= 2)
        description.toolTip = std::string(lines[1]);
    return description;
}

LogoDescription ReadLogoDescription(platform::Files& files, const std::string& base)
{
    const auto nfo = files.readBytes(base + ".NFO", kMaxSideFileBytes);
    return nfo ? ParseLogoDescription(*nfo) : LogoDescription {};
}

} // namespace bar
