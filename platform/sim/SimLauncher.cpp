#include "platform/sim/SimLauncher.h"

namespace sim {

bool SimLauncher::run(const std::string& commandLine, platform::ShowCommand show)
{
    if (fail || commandLine.empty())
        return false;
    started.emplace_back(commandLine, show);
    return true;
}

} // namespace sim
