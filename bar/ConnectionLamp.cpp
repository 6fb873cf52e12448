#include "bar/ConnectionLamp.h"

#include "bar/BarControls.h"
#include "bar/BarIds.h"

namespace bar {

ConnectionLamp::ConnectionLamp(ui::Form& form, platform::Platform& platform)
    : connection_(platform.registry(), platform.launcher(), platform.remoteAccess())
    , off_(form, bar_ids::ONLED_0, bar::ControlSpecOf(bar_ids::ONLED_0))
    , on_(form, bar_ids::ONLED_0 + 1, bar::ControlSpecOf(bar_ids::ONLED_0 + 1))
{
    off_.onClick([this] { connection_.DialConnection(); });
    on_.onClick([this] { connection_.DialConnection(); });
}

void ConnectionLamp::Refresh()
{
    const bool connected = connection_.IsConnected();
    off_.setVisible(!connected);
    on_.setVisible(connected);
}

} // namespace bar
