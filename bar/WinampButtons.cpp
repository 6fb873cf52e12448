#include "bar/WinampButtons.h"

#include "bar/BarControls.h"
#include "bar/BarIds.h"

namespace bar {

WinampButtons::WinampButtons(ui::Form& form, platform::Desktop& desktop)
    : winamp_(desktop)
    , WMPLAY(form, bar_ids::WMPLAY, bar::ControlSpecOf(bar_ids::WMPLAY))
{
    WMPLAY.onMouseUp([this](ui::MouseButton, int, float x, float) { winamp_.ButtonReleased(x, WMPLAY.rect().width); });
}

void WinampButtons::Refresh()
{
    WMPLAY.setVisible(winamp_.FindWinamp());
}

} // namespace bar
