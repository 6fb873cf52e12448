#include "control/com/SystemMemory.h"

#include <windows.h>

namespace dralith {

MemoryFigures readMemoryFigures()
{
    MEMORYSTATUSEX status {};
    status.dwLength = sizeof status;
    MemoryFigures figures;
    if (!GlobalMemoryStatusEx(&status))
        return figures; // all zero: the megabyte rule then reports 1 MB, the sample 0
    figures.totalPhys = status.ullTotalPhys;
    figures.availPhys = status.ullAvailPhys;
    figures.totalPageFile = status.ullTotalPageFile;
    figures.availPageFile = status.ullAvailPageFile;
    figures.totalVirtual = status.ullTotalVirtual;
    figures.availVirtual = status.ullAvailVirtual;
    return figures;
}

} // namespace dralith
