#pragma once
// Waiting without fixed sleeps: every wait polls a condition against a deadline while this
// thread's windows keep answering messages (the bar sends them some, e.g. when it minimises one).
#include <functional>

namespace e2e {

unsigned long long NowMs();

// Dispatches every message waiting for this thread's windows.
void PumpMessages();

// Polls `condition` about every 50 ms until it holds or `timeoutMs` passes.
bool WaitFor(int timeoutMs, const std::function<bool()>& condition);

// Keeps the message loop running for `ms` (used only to let a state settle before a negative
// check that has nothing positive to wait for).
void PumpFor(int ms);

} // namespace e2e
