#pragma once
// Whole-file reads and writes through kernel32.
#include "platform/Files.h"
#include "platform/win32/Win32CodePage.h"

namespace platform::win32 {

class Win32Files final : public Files {
public:
    bool exists(const std::string& path) override;
    ReadResult read(const std::string& path, std::size_t maxBytes) override;
    WriteStatus write(const std::string& path, const std::string& bytes) override;
    const CodePage& codePage() override { return codePage_; }

private:
    Win32CodePage codePage_;
};

} // namespace platform::win32
