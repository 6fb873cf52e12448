#include "platform/win32/Win32System.h"

#include "platform/win32/WinApi.h"

#include <algorithm>
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

std::string Win32System::expandEnvironment(const std::string& text)
{
    // The call reports the size it needs when the buffer is short; the ANSI form may need one
    // character more than it says, so the result is only trusted when it leaves room to spare.
    std::vector<char> buffer(text.size() + 256);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0)
            return text;
        if (needed < buffer.size())
            return std::string(buffer.data(), std::find(buffer.data(), buffer.data() + needed, '\0'));
        buffer.resize(static_cast<std::size_t>(needed) + 2);
    }
    return text;
}

} // namespace platform::win32
