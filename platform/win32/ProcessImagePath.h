#pragma once
// The full path of a process's executable file, asked with the least rights that answer.
#include <cstdint>
#include <string>

namespace platform::win32 {

// False (and path empty) when the process is gone or refuses.
bool ProcessImagePath(std::uint32_t processId, std::string& path);

} // namespace platform::win32
