#pragma once
// The glow strip MMX along the panel's top: its MMY timer steps the colour through a slow blue
// pulse. The timer also carries a step of the bar's own, run after each colour step.
#include "platform/Widgets.h"

#include <functional>

namespace bar {

class GlowStrip {
public:
    GlowStrip(ui::Form& form, std::function<void()> afterStep);
    GlowStrip(const GlowStrip&) = delete;
    GlowStrip& operator=(const GlowStrip&) = delete;

    // Stopped while the bar sleeps.
    void setRunning(bool running) { MMY.setEnabled(running); }
    bool running() const { return MMY.enabled(); }
    // From -16 to 14 in steps of 2; the strip is darkest at 0.
    float phase() const { return GlowPhase; }

private:
    void GlowStep();

    ui::Control MMX; // picture: the glow strip
    ui::Timer MMY;   // 50 ms: the glow's steps
    std::function<void()> afterStep_;
    float GlowPhase = 0;
};

} // namespace bar
