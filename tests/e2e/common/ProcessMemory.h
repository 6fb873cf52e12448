#pragma once
// A process's committed private memory, as the probes watch it grow or come back.
#include <windows.h>

namespace e2e {

// Kilobytes, or -1 when the process cannot be asked.
long PrivateKb(HANDLE process);

} // namespace e2e
