#include "platform/win32/ForegroundRight.h"

#include "platform/win32/WinApi.h"

#include <iterator>

namespace platform::win32 {

namespace {

constexpr int kHotKeyId = 0xB7F1; // within the 0x0000-0xBFFF an application may use
constexpr UINT kUnusedKeys[] = {VK_F24, VK_F23, VK_F22};

// Registered for one call only, so that the key stays free for any program that wants it.
class ThreadHotKey {
public:
    ThreadHotKey()
    {
        for (UINT key : kUnusedKeys) {
            if (RegisterHotKey(nullptr, kHotKeyId, 0, key)) {
                key_ = key;
                return;
            }
        }
    }
    ~ThreadHotKey()
    {
        if (key_)
            UnregisterHotKey(nullptr, kHotKeyId);
    }
    ThreadHotKey(const ThreadHotKey&) = delete;
    ThreadHotKey& operator=(const ThreadHotKey&) = delete;

    UINT key() const { return key_; }

private:
    UINT key_ = 0;
};

bool Press(UINT key)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(key);
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(static_cast<UINT>(std::size(inputs)), inputs, sizeof(INPUT)) == std::size(inputs);
}

// A thread's hot key comes as a message without a window; HWND -1 takes only those.
bool TakeHotKey()
{
    MSG message {};
    while (PeekMessageA(&message, reinterpret_cast<HWND>(-1), WM_HOTKEY, WM_HOTKEY, PM_REMOVE))
        if (message.wParam == static_cast<WPARAM>(kHotKeyId))
            return true;
    return false;
}

} // namespace

bool WinForegroundRight()
{
    DWORD foregroundProcess = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
    return foregroundProcess == GetCurrentProcessId() || ReceiveOwnInput();
}

bool ReceiveOwnInput()
{
    const ThreadHotKey hotKey;
    if (!hotKey.key() || !Press(hotKey.key()))
        return false;
    const DWORD start = GetTickCount();
    for (;;) {
        if (TakeHotKey())
            return true;
        // Unsigned differences stay right across the tick count's wrap.
        const DWORD waited = GetTickCount() - start;
        if (waited >= kForegroundRightWaitMs)
            return false;
        // Wakes for a hot key, and for messages other programs send, which PeekMessage answers
        // (a program waiting on the bar is not kept waiting); posted messages stay queued.
        MsgWaitForMultipleObjectsEx(
            0, nullptr, kForegroundRightWaitMs - waited, QS_HOTKEY | QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
    }
}

} // namespace platform::win32
