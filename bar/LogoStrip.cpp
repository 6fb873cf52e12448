#include "bar/LogoStrip.h"

#include "bar/BarControls.h"
#include "bar/BarIds.h"
#include "bar/SideFiles.h"

namespace bar {

namespace {
// The strip keeps this width whatever the picture (it is clipped); the buttons start at 4/3 of it.
constexpr float kLogoWidth = 375;
} // namespace

LogoStrip::LogoStrip(ui::Form& form, platform::Files& files)
    : form_(form)
    , files_(files)
    , OEMLOGO(form, bar_ids::OEMLOGO, ControlSpecOf(bar_ids::OEMLOGO))
{
}

std::optional<float> LogoStrip::ApplyLogo(const std::string& base)
{
    const std::string bmp = base + ".BMP";
    if (!files_.exists(bmp))
        return std::nullopt;
    if (!OEMLOGO.loadPicture(bmp))
        return std::nullopt;
    // The strip keeps its width: a wide picture is clipped, never squeezing the buttons away.
    OEMLOGO.setWidth(kLogoWidth);
    OEMLOGO.setVisible(true);

    const LogoDescription description = ReadLogoDescription(files_, base);
    if (description.colour)
        OEMLOGO.setColours(*description.colour, OEMLOGO.state().fore);
    if (description.toolTip)
        OEMLOGO.setToolTip(*description.toolTip);
    return kLogoWidth * 4 / 3;
}

bool LogoStrip::ApplyIcon(const std::string& base)
{
    const std::string ico = base + ".ICO";
    if (!files_.exists(ico))
        return false;
    return form_.toolkit().setFormIcon(form_.id(), ico);
}

} // namespace bar
