#pragma once
// Starting programs with CreateProcessA, and the power commands through ExitWindowsEx.
#include "platform/Launcher.h"
#include "platform/Power.h"

namespace platform::win32 {

class Win32Launcher final : public Launcher {
public:
    bool run(const std::string& commandLine, ShowCommand show) override;
    std::string systemFolder() override;
};

class Win32Power final : public Power {
public:
    bool enableShutdownPrivilege() override;
    bool exitWindows(unsigned flags) override;
};

} // namespace platform::win32
