#include "platform/win32/Win32System.h"

#include "platform/win32/WinApi.h"

#include <vector>

namespace platform::win32 {

std::string Win32System::executablePath()
{
    // The call truncates silently, so grow the buffer until the whole path fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        if (buffer.size() >= 32768)
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

LocalTime Win32System::now()
{
    SYSTEMTIME time {};
    GetLocalTime(&time);
    LocalTime result;
    result.year = time.wYear;
    result.month = time.wMonth;
    result.day = time.wDay;
    result.hour = time.wHour;
    result.minute = time.wMinute;
    result.second = time.wSecond;
    return result;
}

} // namespace platform::win32
