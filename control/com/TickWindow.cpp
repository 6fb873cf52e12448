#include "control/com/TickWindow.h"

namespace dralith {
namespace {
constexpr UINT_PTR kTimerTMX = 1;
constexpr UINT kFreeOnClickMessage = WM_APP + 1;
} // namespace

TickWindow::TickWindow(TickEvents& events)
    : events_(events)
{
    win32kit::WindowSpec props;
    props.className = kTickClass;
    props.parent = HWND_MESSAGE;
    window_.reset(createHandledWindow(props, *this));
}

TickWindow::~TickWindow()
{
    if (window_ && timerSet_)
        KillTimer(window_.get(), kTimerTMX);
}

void TickWindow::run(bool running, unsigned interval)
{
    if (!window_)
        return;
    if (running) {
        timerSet_ = SetTimer(window_.get(), kTimerTMX, interval, nullptr) != 0;
    } else if (timerSet_) {
        KillTimer(window_.get(), kTimerTMX);
        timerSet_ = false;
    }
}

void TickWindow::postFreeOnClick()
{
    if (window_)
        PostMessageA(window_.get(), kFreeOnClickMessage, 0, 0);
}

LRESULT TickWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kTimerTMX) {
        events_.timerTick();
        return 0;
    }
    if (message == kFreeOnClickMessage) {
        events_.freeOnClickRequested();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TickWindow::windowDestroyed(HWND)
{
    window_.release();
    timerSet_ = false;
}

} // namespace dralith
