#include "platform/win32/Win32RemoteAccess.h"

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WinApi.h"

#include <ras.h>
#include <raserror.h>

#include <vector>

namespace platform::win32 {

void Win32RemoteAccess::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    rasapi_ = loadSystemLibrary("rasapi32.dll");
    if (!rasapi_)
        return;
    enumConnections_ = procAddress<EnumConnectionsFn>(rasapi_.get(), "RasEnumConnectionsA");
    enumEntries_ = procAddress<EnumEntriesFn>(rasapi_.get(), "RasEnumEntriesA");
    if (!enumConnections_ || !enumEntries_) {
        enumConnections_ = nullptr;
        enumEntries_ = nullptr;
        rasapi_.reset();
    }
}

bool Win32RemoteAccess::available()
{
    load();
    return enumConnections_ != nullptr;
}

bool Win32RemoteAccess::connected()
{
    if (!available())
        return false;
    // One slot is enough: "buffer too small" already says that more than one is up.
    RASCONNA connection {};
    connection.dwSize = sizeof connection;
    unsigned long bytes = sizeof connection;
    unsigned long count = 0;
    const unsigned long status = enumConnections_(&connection, &bytes, &count);
    if (status == ERROR_BUFFER_TOO_SMALL)
        return true;
    return status == ERROR_SUCCESS && count > 0;
}

std::vector<std::string> Win32RemoteAccess::entryNames()
{
    std::vector<std::string> names;
    if (!available())
        return names;
    std::vector<RASENTRYNAMEA> entries(1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        for (auto& entry : entries)
            entry.dwSize = sizeof(RASENTRYNAMEA);
        unsigned long bytes = static_cast<unsigned long>(entries.size() * sizeof(RASENTRYNAMEA));
        unsigned long count = 0;
        const unsigned long status = enumEntries_(nullptr, nullptr, entries.data(), &bytes, &count);
        if (status == ERROR_BUFFER_TOO_SMALL && bytes > entries.size() * sizeof(RASENTRYNAMEA)) {
            // More entries were defined since the last call: grow to what was asked for.
            entries.resize(bytes / sizeof(RASENTRYNAMEA) + 1);
            continue;
        }
        if (status != ERROR_SUCCESS)
            return names;
        for (unsigned long i = 0; i < count && i < entries.size(); ++i) {
            const char* begin = entries[i].szEntryName;
            const char* end = begin;
            while (end < begin + sizeof entries[i].szEntryName && *end)
                ++end;
            names.emplace_back(begin, end);
        }
        return names;
    }
    return names;
}

bool Win32RemoteAccess::dial(const std::string& entryName)
{
    const std::string folder = launcher_.systemFolder();
    if (folder.empty() || entryName.empty() || entryName.find('"') != std::string::npos)
        return false;
    return launcher_.run("\"" + folder + "\\rasphone.exe\" -d \"" + entryName + "\"", ShowCommand::Normal);
}

} // namespace platform::win32
