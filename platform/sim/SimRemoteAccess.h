#pragma once
// Remote-access functions that exist only when `present` is set.
#include "platform/RemoteAccess.h"

#include <string>
#include <vector>

namespace sim {

class SimRemoteAccess final : public platform::RemoteAccess {
public:
    bool present = false, up = false;
    std::vector<std::string> entries;
    std::vector<std::string> dialled;

    bool available() override { return present; }
    bool connected() override { return present && up; }
    std::vector<std::string> entryNames() override { return present ? entries : std::vector<std::string> {}; }
    bool dial(const std::string& entryName) override
    {
        if (!present)
            return false;
        dialled.push_back(entryName);
        return true;
    }
};

} // namespace sim
