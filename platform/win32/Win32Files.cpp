#include "platform/win32/Win32Files.h"

#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

#include <algorithm>

namespace platform::win32 {

namespace {

UniqueKernelHandle openForReading(const std::string& path)
{
    return UniqueKernelHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

bool Win32Files::exists(const std::string& path)
{
    return static_cast<bool>(openForReading(path));
}

std::optional<std::string> Win32Files::readBytes(const std::string& path, std::size_t maxBytes)
{
    const UniqueKernelHandle file = openForReading(path);
    if (!file)
        return std::nullopt;
    std::string bytes;
    char chunk[64 * 1024];
    while (bytes.size() < maxBytes) {
        const std::size_t wanted = std::min(sizeof chunk, maxBytes - bytes.size());
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk, static_cast<DWORD>(wanted), &read, nullptr))
            return std::nullopt;
        if (read == 0)
            break;
        bytes.append(chunk, read);
    }
    return bytes;
}

bool Win32Files::writeBytes(const std::string& path, const std::string& bytes)
{
    const UniqueKernelHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - written, 1u << 30);
        DWORD done = 0;
        if (!WriteFile(file.get(), bytes.data() + written, static_cast<DWORD>(chunk), &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    return true;
}

} // namespace platform::win32
