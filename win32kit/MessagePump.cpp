#include "win32kit/MessagePump.h"

#include <windows.h>

namespace win32kit {

namespace {

void dispatch(MSG& message, MessageFilter filter)
{
    if (filter && filter(message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

} // namespace

void processPendingMessages()
{
    processPendingMessagesWith(nullptr);
}

void processPendingMessagesWith(MessageFilter filter)
{
    MSG message {};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
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
