#pragma once
// The dial-up connection lamp: whether a dial-up connection is up, and dialling the single
// defined connection or else the default one. Read from the dial-up networking keys of the
// registry; where those keys are absent and the platform has remote-access functions, from
// those functions with the same results and effects.
#include "platform/Launcher.h"
#include "platform/Registry.h"
#include "platform/RemoteAccess.h"

#include <string>

namespace bar {

class MODULConnection {
public:
    static constexpr std::size_t kValueBytes = 256;
    static constexpr std::size_t kNameChars = 2048;

    MODULConnection(platform::Registry& registry, platform::Launcher& launcher, platform::RemoteAccess& remoteAccess);

    // Called on every refresh: allocates nothing for the usual small "Remote Connection" value.
    bool IsConnected();
    void DialConnection();

private:
    // The one connection defined, or else the default one (upper case); empty when there is
    // none to dial. `fromKeys` tells whether the connections were listed in the registry.
    std::string connectionToDial(bool& fromKeys);
    std::string defaultConnection();

    platform::Registry& registry_;
    platform::Launcher& launcher_;
    platform::RemoteAccess& remoteAccess_;
    // Built once: the refresh tick must not allocate.
    const std::string servicePath_ = "System\\CurrentControlSet\\Services\\RemoteAccess";
    const std::string connectionValue_ = "Remote Connection";
};

// The dial command for a connection name.
std::string dialCommand(const std::string& systemFolder, const std::string& connection);

// The text of a string value: cut at its first NUL, upper case (ASCII).
std::string upperNameFromValue(const std::string& data);

} // namespace bar
