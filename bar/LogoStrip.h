#pragma once
// The side files that dress the bar: the logo strip OEMLOGO along the left edge (".BMP", with the
// colour and tooltip of ".NFO") and the window icon (".ICO"), each only when its file is there.
#include "platform/Files.h"
#include "platform/Widgets.h"

#include <optional>
#include <string>

namespace bar {

class LogoStrip {
public:
    LogoStrip(ui::Form& form, platform::Files& files);
    LogoStrip(const LogoStrip&) = delete;
    LogoStrip& operator=(const LogoStrip&) = delete;

    // Shows base + ".BMP" in the strip. Returns where the task buttons then start, or nullopt
    // when there is no picture and the strip stays hidden.
    std::optional<float> ApplyLogo(const std::string& base);
    // base + ".ICO" as the window's icon; false when there is none or it cannot be loaded.
    bool ApplyIcon(const std::string& base);

    float width() const { return OEMLOGO.rect().width; }
    void setHeight(float height) { OEMLOGO.setHeight(height); }

private:
    ui::Form& form_;
    platform::Files& files_;
    ui::Control OEMLOGO; // picture: the optional logo strip along the left edge
};

} // namespace bar
