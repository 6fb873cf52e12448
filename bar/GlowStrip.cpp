#include "bar/GlowStrip.h"

#include "bar/BarControls.h"
#include "bar/BarIds.h"

#include <cmath>

namespace bar {

namespace {
constexpr int kGlowIntervalMs = 50;
} // namespace

GlowStrip::GlowStrip(ui::Form& form, std::function<void()> afterStep)
    : MMX(form, bar_ids::MMX, ControlSpecOf(bar_ids::MMX))
    , MMY(form, bar_ids::MMY, kGlowIntervalMs, true, [this] { GlowStep(); })
    , afterStep_(std::move(afterStep))
{
}

void GlowStrip::GlowStep()
{
    GlowPhase += 2;
    if (GlowPhase == 16)
        GlowPhase = -16;
    const float a = (std::fabs(GlowPhase) + 16) / 32;
    const ui::Colour green = static_cast<ui::Colour>(std::floor(a * 128));
    const ui::Colour blue = static_cast<ui::Colour>(std::floor(a * 255));
    MMX.setColours(blue * 65536 + green * 256, MMX.state().fore);
    afterStep_();
}

} // namespace bar
