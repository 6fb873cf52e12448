#include "platform/win32/ProcessImagePath.h"

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

namespace platform::win32 {

namespace {

using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
using ModuleFileName = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);

// Windows before Vista lack both the limited query right and QueryFullProcessImageNameA; there
// the process is opened for full queries and asked for its first module's file.
struct ImagePathCalls {
    UniqueModule kernel32 = loadSystemLibrary("kernel32.dll");
    UniqueModule psapi = loadSystemLibrary("psapi.dll");
    QueryImageName queryImageName =
        kernel32 ? procAddress<QueryImageName>(kernel32.get(), "QueryFullProcessImageNameA") : nullptr;
    ModuleFileName moduleFileName = psapi ? procAddress<ModuleFileName>(psapi.get(), "GetModuleFileNameExA") : nullptr;
};

const ImagePathCalls& imagePathCalls()
{
    static const ImagePathCalls calls;
    return calls;
}

} // namespace

bool ProcessImagePath(std::uint32_t processId, std::string& path)
{
    path.clear();
    if (processId == 0)
        return false;
    const ImagePathCalls& calls = imagePathCalls();
    char buffer[MAX_PATH * 2] = {};
    if (calls.queryImageName) {
        UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
        DWORD length = sizeof buffer;
        if (process && calls.queryImageName(process.get(), 0, buffer, &length) && length > 0) {
            path.assign(buffer, length);
            return true;
        }
    }
    if (calls.moduleFileName) {
        UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
        const DWORD length = process ? calls.moduleFileName(process.get(), nullptr, buffer, sizeof buffer) : 0;
        if (length > 0 && length < sizeof buffer) {
            path.assign(buffer, length);
            return true;
        }
    }
    return false;
}

} // namespace platform::win32
