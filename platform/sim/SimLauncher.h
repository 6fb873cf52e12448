#pragma once
// Records the programs started and the power commands asked for.
#include "platform/Launcher.h"

#include <string>
#include <utility>
#include <vector>

namespace sim {

class SimLauncher final : public platform::Launcher {
public:
    // Command lines that started (none are recorded while `fail` is set).
    std::vector<std::pair<std::string, platform::ShowCommand>> started;
    bool fail = false;
    std::string systemDir = "C:\\Windows\\system32";

    bool run(const std::string& commandLine, platform::ShowCommand show) override;
    std::string systemFolder() override { return systemDir; }
};

class SimPower final : public platform::Power {
public:
    std::vector<platform::PowerAction> requests; // every request, also the refused ones
    bool fail = false;

    bool request(platform::PowerAction action) override
    {
        requests.push_back(action);
        return !fail;
    }
};

} // namespace sim
