#include "win32kit/MessagePump.h"

#include <windows.h>

namespace win32kit {

namespace {

thread_local int menuLoops = 0;

// The next queued message, input left in the queue while a menu's loop runs.
bool takeMessage(MSG& message)
{
    if (menuLoops == 0)
        return PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE;
    return PeekMessageA(&message, nullptr, 0, WM_KEYFIRST - 1, PM_REMOVE) ||
        PeekMessageA(&message, nullptr, WM_KEYLAST + 1, WM_MOUSEFIRST - 1, PM_REMOVE) ||
        PeekMessageA(&message, nullptr, WM_MOUSELAST + 1, 0xFFFFFFFF, PM_REMOVE);
}

void dispatch(MSG& message, MessageFilter filter)
{
    if (filter && filter(message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

} // namespace

MenuLoopScope::MenuLoopScope()
{
    ++menuLoops;
}

MenuLoopScope::~MenuLoopScope()
{
    --menuLoops;
}

void processPendingMessages()
{
    processPendingMessagesWith(nullptr);
}

void processPendingMessagesWith(MessageFilter filter)
{
    MSG message {};
    while (takeMessage(message)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message, filter);
    }
}

int runMessageLoop(MessageFilter filter)
{
    MSG message {};
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (got == -1)
            return 1;
        dispatch(message, filter);
    }
}

} // namespace win32kit
