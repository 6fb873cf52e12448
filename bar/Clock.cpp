#include "bar/Clock.h"

#include "bar/BarControls.h"
#include "bar/BarIds.h"

#include <cstdio>

namespace bar {

Clock::Clock(ui::Form& form, platform::System& system)
    : system_(system)
    , TIM2(form, bar_ids::TIM2, bar::ControlSpecOf(bar_ids::TIM2))
{
}

void Clock::Refresh()
{
    // One reading for both, so the date and time never straddle midnight.
    const platform::LocalTime now = system_.now();
    char text[32];
    const int dateLength = std::snprintf(text, sizeof text, "%02d-%02d-%04d", now.month, now.day, now.year);
    TIM2.setToolTip(std::string_view(text, dateLength > 0 ? static_cast<std::size_t>(dateLength) : 0));
    const int timeLength = std::snprintf(text, sizeof text, "%02d:%02d", now.hour, now.minute);
    TIM2.setCaption(std::string_view(text, timeLength > 0 ? static_cast<std::size_t>(timeLength) : 0));
}

} // namespace bar
