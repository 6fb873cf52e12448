#pragma once
// GDI objects a process holds, on Windows and under Wine alike.
#include <windows.h>

namespace e2e {

// GetGuiResources where the system keeps the count; Wine 8 answers 0, so then the live entries of
// the GDI handle table the process's PEB points to are counted (stock objects too: a constant).
// -1 when neither can be read.
long GdiObjects(HANDLE process, DWORD processId);

} // namespace e2e
