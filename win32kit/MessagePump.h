#pragma once
// The thread's message loop, and its pending messages run from inside a long operation.
namespace win32kit {

// Runs the messages already queued for this thread. A WM_QUIT met there ends it early and is
// posted again, so that the outer loop still sees it and ends the program.
void processPendingMessages();

// Runs the thread's messages until WM_QUIT and returns its exit code (1 if GetMessage fails).
int runMessageLoop();

} // namespace win32kit
