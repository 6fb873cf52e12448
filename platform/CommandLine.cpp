#include "platform/CommandLine.h"

namespace platform {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string AfterBlanks(const std::string& text, std::size_t from)
{
    while (from < text.size() && IsBlank(text[from]))
        ++from;
    return text.substr(from);
}

} // namespace

std::string QuotedWhenOneFile(const std::string& commandLine, const FileTest& isFile)
{
    if (commandLine.empty() || commandLine.find('"') != std::string::npos || !isFile(commandLine))
        return commandLine;
    return "\"" + commandLine + "\"";
}

ProgramAndParameters SplitCommandLine(const std::string& commandLine, const FileTest& isFile)
{
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t close = commandLine.find('"', 1);
        if (close == std::string::npos)
            return {commandLine.substr(1), {}};
        return {commandLine.substr(1, close - 1), AfterBlanks(commandLine, close + 1)};
    }
    std::size_t firstBlank = std::string::npos;
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        if (!IsBlank(commandLine[i]))
            continue;
        if (firstBlank == std::string::npos)
            firstBlank = i;
        const std::string candidate = commandLine.substr(0, i);
        if (isFile(candidate) || isFile(candidate + ".exe"))
            return {candidate, AfterBlanks(commandLine, i)};
    }
    if (firstBlank == std::string::npos)
        return {commandLine, {}};
    return {commandLine.substr(0, firstBlank), AfterBlanks(commandLine, firstBlank)};
}

} // namespace platform
