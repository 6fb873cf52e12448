#pragma once
// The thread's message loop, and its pending messages run from inside a long operation.
struct tagMSG;

namespace win32kit {

// Sees each message before it is dispatched; true when it handled it and it goes no further.
using MessageFilter = bool (*)(const tagMSG& message);

// Runs the messages already queued for this thread. A WM_QUIT met there ends it early and is
// posted again, so that the outer loop still sees it and ends the program.
void processPendingMessages();
void processPendingMessagesWith(MessageFilter filter);

// While one lives, a popup menu's own loop runs on this thread: the pending messages run from a
// handler inside it (a timer tick) leave the keyboard and mouse messages to the menu, which takes
// them from the queue itself and would never see a key dispatched past it.
class MenuLoopScope {
public:
    MenuLoopScope();
    ~MenuLoopScope();
    MenuLoopScope(const MenuLoopScope&) = delete;
    MenuLoopScope& operator=(const MenuLoopScope&) = delete;
};

// Runs the thread's messages until WM_QUIT and returns its exit code (1 if GetMessage fails).
int runMessageLoop(MessageFilter filter = nullptr);

} // namespace win32kit
