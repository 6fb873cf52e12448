#pragma once
// Starting programs from a command line, and the power commands.
#include "platform/Types.h"

#include <string>

namespace platform {

class Launcher {
public:
    virtual ~Launcher() = default;
    // False when the command could not be started.
    virtual bool run(const std::string& commandLine, ShowCommand show) = 0;
    // The platform's system folder (C:\Windows\system32), without a trailing backslash.
    virtual std::string systemFolder() = 0;
};

enum class PowerAction { LogOff, Restart, ShutDown };

class Power {
public:
    virtual ~Power() = default;
    virtual bool request(PowerAction action) = 0;
};

} // namespace platform
