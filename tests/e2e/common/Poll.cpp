#include "tests/e2e/common/Poll.h"

#include "win32kit/MessagePump.h"

#include <windows.h>

namespace e2e {

unsigned long long NowMs()
{
    return GetTickCount64();
}

void PumpMessages()
{
    win32kit::processPendingMessages();
}

bool WaitFor(int timeoutMs, const std::function<bool()>& condition)
{
    const unsigned long long deadline = NowMs() + static_cast<unsigned long long>(timeoutMs);
    for (;;) {
        PumpMessages();
        if (condition())
            return true;
        const unsigned long long now = NowMs();
        if (now >= deadline)
            return false;
        const DWORD left = static_cast<DWORD>(deadline - now);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 50 ? left : 50, QS_ALLINPUT);
    }
}

void PumpFor(int ms)
{
    WaitFor(ms, [] { return false; });
}

} // namespace e2e
