#pragma once
// Records the programs started and the power commands asked for.
#include "platform/Launcher.h"
#include "platform/Power.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace sim {

class SimLauncher final : public platform::Launcher {
public:
    struct ShellStart {
        std::string file;
        std::string parameters;
        platform::ShowCommand show;
    };
    // Command lines that started as processes (none are recorded while `fail` is set).
    std::vector<std::pair<std::string, platform::ShowCommand>> started;
    // What was handed to the shell, and whether it starts.
    std::vector<ShellStart> shellStarted;
    bool fail = false;
    bool shellFails = false;
    std::string systemDir = "C:\\Windows\\system32";
    // Existing files, as the launcher sees them.
    std::set<std::string> files;
    // Files that cannot be started as a process: documents, programs that ask for elevation.
    std::set<std::string> shellOnly;

    std::string systemFolder() override { return systemDir; }

protected:
    ProcessStart createProcess(const std::string& commandLine, platform::ShowCommand show) override;
    bool shellExecute(const std::string& file, const std::string& parameters, platform::ShowCommand show) override;
    bool isFile(const std::string& path) override { return files.count(path) > 0; }
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
