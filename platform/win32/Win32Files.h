#pragma once
// Whole-file reads and writes through kernel32.
#include "platform/Files.h"

namespace platform::win32 {

class Win32Files final : public Files {
public:
    bool exists(const std::string& path) override;
    ReadResult read(const std::string& path, std::size_t maxBytes) override;
    bool writeBytes(const std::string& path, const std::string& bytes) override;
};

} // namespace platform::win32
