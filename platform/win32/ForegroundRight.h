#pragma once
// The leave to change the foreground window, won for a request that came with no input of the
// user to this program. Of the ways SetForegroundWindow allows, this one takes "the calling
// process received the last input event": a key no program uses (F24, else F23 or F22) is made a
// hot key of this thread for the moment, pressed with SendInput, and its WM_HOTKEY taken from the
// queue. The key goes to no window, so the program in front sees nothing (a synthesised Alt, the
// other documented way, would open its menu bar), and no system setting is changed.
namespace platform::win32 {

// Waits at most kForegroundRightWaitMs for the hot key, taking no other message; false when no
// key could be registered, the input was refused or the hot key did not come.
constexpr unsigned kForegroundRightWaitMs = 200;
bool WinForegroundRight();
// The hot key step alone, whoever is in front.
bool ReceiveOwnInput();

} // namespace platform::win32
