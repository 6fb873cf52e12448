#pragma once
// The Winamp transport buttons WMPLAY: shown while a Winamp window exists; a button release on
// one of its four quarters sends that transport command.
#include "bar/MODULWinAmp.h"
#include "platform/Desktop.h"
#include "platform/Widgets.h"

namespace bar {

class WinampButtons {
public:
    WinampButtons(ui::Form& form, platform::Desktop& desktop);
    void Refresh();

private:
    bar::Winamp winamp_;
    ui::Control WMPLAY; // picture: previous, play, stop, next
};

} // namespace bar
