#pragma once
// Starting programs with CreateProcessA, or ShellExecuteExA for what that cannot start, and the
// power commands through ExitWindowsEx.
#include "platform/Launcher.h"
#include "platform/Power.h"
#include "platform/win32/WinApi.h"

namespace platform::win32 {

class Win32Launcher final : public Launcher {
public:
    std::string systemFolder() override;

protected:
    ProcessStart createProcess(const std::string& commandLine, ShowCommand show) override;
    bool shellExecute(const std::string& file, const std::string& parameters, ShowCommand show) override;
    bool isFile(const std::string& path) override;

private:
    // shell32 is large and rarely needed here: loaded on the first start through the shell.
    UniqueModule shell32_;
};

class Win32Power final : public Power {
public:
    bool enableShutdownPrivilege() override;
    bool exitWindows(unsigned flags) override;
};

} // namespace platform::win32
