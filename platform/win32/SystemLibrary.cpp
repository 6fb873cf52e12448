#include "platform/win32/SystemLibrary.h"

#include <string>

namespace platform::win32 {

UniqueModule loadSystemLibrary(const char* name)
{
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return UniqueModule();
    const std::string path = std::string(folder, length) + "\\" + name;
    return UniqueModule(LoadLibraryA(path.c_str()));
}

} // namespace platform::win32
