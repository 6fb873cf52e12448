#pragma once
// Records the programs started and the power commands asked for.
#include "platform/Launcher.h"
#include "platform/Power.h"

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
    // Every call in order: "privilege", or "exit <flags>" (also the refused ones).
    std::vector<std::string> calls;
    bool fail = false;

    bool enableShutdownPrivilege() override
    {
        calls.push_back("privilege");
        return true;
    }
    bool exitWindows(unsigned flags) override
    {
        calls.push_back("exit " + std::to_string(flags));
        return !fail;
    }
};

} // namespace sim
