#include "platform/win32/Win32Processes.h"

#include "platform/win32/ProcessImagePath.h"
#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

#include <tlhelp32.h>

#include <algorithm>
#include <type_traits>

namespace platform::win32 {

static_assert(std::is_same<std::remove_all_extents_t<decltype(PROCESSENTRY32::szExeFile)>, CHAR>::value,
    "the ANSI snapshot entry is meant; UNICODE must not be defined");

namespace {

// Walks a fresh process snapshot, calling visit(entry) until it returns false. False when no
// snapshot could be taken.
template <typename Visit> bool walkProcesses(Visit visit)
{
    UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return false;
    PROCESSENTRY32 entry {};
    entry.dwSize = sizeof(PROCESSENTRY32);
    if (!Process32First(snapshot.get(), &entry))
        return true; // a snapshot with no entries: nothing to report
    do {
        if (!visit(entry))
            break;
        entry.dwSize = sizeof(PROCESSENTRY32);
    } while (Process32Next(snapshot.get(), &entry));
    return true;
}

} // namespace

bool Win32Processes::executablePath(std::uint32_t processId, std::string& path)
{
    return ProcessImagePath(processId, path);
}

std::uint32_t Win32Processes::count()
{
    std::uint32_t n = 0;
    if (!walkProcesses([&](const PROCESSENTRY32&) {
            ++n;
            return true;
        }))
        return 0;
    return n;
}

bool Win32Processes::snapshot(std::vector<ProcessEntry>& entries, std::size_t maxEntries)
{
    entries.clear();
    if (maxEntries == 0)
        return walkProcesses([](const PROCESSENTRY32&) { return false; });
    return walkProcesses([&](const PROCESSENTRY32& entry) {
        // The name field may lack its NUL: never read past its end.
        const char* begin = entry.szExeFile;
        const char* end = std::find(begin, begin + sizeof entry.szExeFile, '\0');
        entries.push_back(ProcessEntry {static_cast<std::uint32_t>(entry.th32ProcessID), std::string(begin, end)});
        return entries.size() < maxEntries;
    });
}

bool Win32Processes::terminate(std::uint32_t processId, std::uint32_t exitCode)
{
    if (processId == 0 || processId == GetCurrentProcessId())
        return false;
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    if (!process)
        return false;
    return TerminateProcess(process.get(), exitCode) != FALSE;
}

std::uint32_t Win32Processes::currentProcessId()
{
    return GetCurrentProcessId();
}

} // namespace platform::win32
