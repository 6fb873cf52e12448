#pragma once
// Lets the thread's pending window messages run from inside a long operation (the free-up).
namespace dralith {

void processPendingMessages();

} // namespace dralith
