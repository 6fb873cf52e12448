#include "platform/win32/Win32Memory.h"

#include "platform/win32/WinApi.h"

#include <cstring>

namespace platform::win32 {

MemoryFigures Win32Memory::status()
{
    MEMORYSTATUSEX state {};
    state.dwLength = sizeof state;
    if (!GlobalMemoryStatusEx(&state))
        return MemoryFigures {};
    MemoryFigures figures;
    figures.totalPhys = state.ullTotalPhys;
    figures.availPhys = state.ullAvailPhys;
    figures.totalPageFile = state.ullTotalPageFile;
    figures.availPageFile = state.ullAvailPageFile;
    return figures;
}

void* Win32Memory::allocateBlock(std::size_t bytes)
{
    if (bytes == 0)
        return nullptr;
    void* block = VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!block)
        return nullptr;
    // Committed pages take no memory until touched: writing them is what makes others give way.
    std::memset(block, ' ', bytes);
    return block;
}

void Win32Memory::releaseBlock(void* block, std::size_t)
{
    if (block)
        VirtualFree(block, 0, MEM_RELEASE);
}

} // namespace platform::win32
