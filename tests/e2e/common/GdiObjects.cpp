#include "tests/e2e/common/GdiObjects.h"

#include <winternl.h>

#include <cstddef>
#include <vector>

namespace e2e {

long GdiObjects(HANDLE process, DWORD processId)
{
    SetLastError(0);
    // A process with windows always holds some GDI objects: 0 means the count is not kept.
    const DWORD counted = GetGuiResources(process, GR_GDIOBJECTS);
    if (counted != 0)
        return static_cast<long>(counted);
#pragma pack(push, 1)
    struct HandleEntry {
        unsigned long long object;
        unsigned short processId;
        unsigned short count;
        unsigned short unique;
        unsigned char type;
        unsigned char flags;
        unsigned long long user;
    };
#pragma pack(pop)
    PROCESS_BASIC_INFORMATION basic {};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return -1;
    const char* tableAddress = nullptr;
    SIZE_T read = 0;
#ifdef _WIN64
    constexpr std::ptrdiff_t kTableInPeb = 0xF8;
#else
    constexpr std::ptrdiff_t kTableInPeb = 0x94;
#endif
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kTableInPeb, &tableAddress,
            sizeof tableAddress, &read) ||
        !tableAddress)
        return -1;
    static std::vector<HandleEntry> table(0x10000);
    if (!ReadProcessMemory(process, tableAddress, table.data(), table.size() * sizeof(HandleEntry), &read))
        return -1;
    // Windows shares one table and marks each entry with its process; Wine 8 keeps a table per
    // process with no owner marks: then every live entry of the bar's table is the bar's.
    long own = 0, unmarked = 0;
    for (const HandleEntry& e : table) {
        own += e.type != 0 && e.processId == static_cast<unsigned short>(processId);
        unmarked += e.type != 0 && e.processId == 0;
    }
    return own != 0 ? own : unmarked;
}

} // namespace e2e
