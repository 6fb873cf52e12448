#pragma once
// The clock TIM2: time as hh:mm, the date mm-dd-yyyy as its tooltip, both from one reading.
#include "platform/System.h"
#include "platform/Widgets.h"

namespace bar {

class Clock {
public:
    Clock(ui::Form& form, platform::System& system);
    void Refresh();

private:
    platform::System& system_;
    ui::Control TIM2; // label: the time
};

} // namespace bar
