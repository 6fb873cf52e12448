#include "platform/Launcher.h"

#include "platform/CommandLine.h"

namespace platform {

bool Launcher::run(const std::string& commandLine, ShowCommand show)
{
    if (commandLine.empty())
        return false;
    const FileTest fileTest = [this](const std::string& path) { return isFile(path); };
    const std::string line = QuotedWhenOneFile(commandLine, fileTest);
    switch (createProcess(line, show)) {
    case ProcessStart::Started:
        return true;
    case ProcessStart::Failed:
        return false;
    case ProcessStart::NeedsShell:
        break;
    }
    const ProgramAndParameters split = SplitCommandLine(line, fileTest);
    return shellExecute(split.program, split.parameters, show);
}

} // namespace platform
