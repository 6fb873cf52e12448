#pragma once
// Facts about the running program and the wall clock.
#include <string>

namespace platform {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class System {
public:
    virtual ~System() = default;
    // Full path of the running executable, as the platform reports it (for example C:\Bars\tolvix.exe).
    virtual std::string executablePath() = 0;
    virtual LocalTime now() = 0;
    // Replaces each %NAME% with that environment variable; unknown names stay as they are.
    virtual std::string expandEnvironment(const std::string& text) = 0;
};

} // namespace platform
