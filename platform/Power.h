#pragma once
// Ending the session: log off, restart, shut down.
namespace platform {

// The flags ExitWindowsEx takes.
constexpr unsigned kExitLogOff = 0;
constexpr unsigned kExitShutDown = 1;
constexpr unsigned kExitReboot = 2;

class Power {
public:
    virtual ~Power() = default;
    // Enables the shutdown privilege of this process (NT family); false when it could not.
    virtual bool enableShutdownPrivilege() = 0;
    // Asks the platform to end the session; false when it refused.
    virtual bool exitWindows(unsigned flags) = 0;
};

} // namespace platform
