#pragma once
// The dial-up lamp: ONLED(1) lit while a connection is up, ONLED(0) otherwise; a click on
// either starts dialling.
#include "bar/MODULConnection.h"
#include "platform/Platform.h"
#include "platform/Widgets.h"

namespace bar {

class ConnectionLamp {
public:
    ConnectionLamp(ui::Form& form, platform::Platform& platform);
    void Refresh();

private:
    bar::MODULConnection connection_;
    ui::Control off_; // ONLED(0)
    ui::Control on_;  // ONLED(1)
};

} // namespace bar
