#pragma once
// The platform's remote-access (dial-up) functions, where it has them: used for the connection
// lamp when the dial-up registry keys are absent.
#include <string>
#include <vector>

namespace platform {

class RemoteAccess {
public:
    virtual ~RemoteAccess() = default;
    // False when the platform has no remote-access functions.
    virtual bool available() = 0;
    // True while at least one dial-up connection is up.
    virtual bool connected() = 0;
    // The names of the defined dial-up connections.
    virtual std::vector<std::string> entryNames() = 0;
    // Starts the platform's dialler for the named connection; false when it could not start.
    virtual bool dial(const std::string& entryName) = 0;
};

} // namespace platform
