#pragma once
// Starting programs from a command line.
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

} // namespace platform
