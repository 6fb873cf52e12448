#include "platform/sim/SimLauncher.h"

#include "platform/CommandLine.h"

namespace sim {

SimLauncher::ProcessStart SimLauncher::createProcess(const std::string& commandLine, platform::ShowCommand show)
{
    if (fail)
        return ProcessStart::Failed;
    // The program is found as CreateProcess finds it, so "C:\Program Files\x.exe" unquoted is
    // "C:\Program" when no such file exists.
    const auto split =
        platform::SplitCommandLine(commandLine, [this](const std::string& path) { return isFile(path); });
    if (shellOnly.count(split.program))
        return ProcessStart::NeedsShell;
    started.emplace_back(commandLine, show);
    return ProcessStart::Started;
}

bool SimLauncher::shellExecute(const std::string& file, const std::string& parameters, platform::ShowCommand show)
{
    if (shellFails)
        return false;
    shellStarted.push_back({file, parameters, show});
    return true;
}

} // namespace sim
