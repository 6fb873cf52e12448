#pragma once
// Starting programs from a command line.
#include "platform/Types.h"

#include <string>

namespace platform {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the command as a new process; false when it could not be started. A line that is
    // exactly the name of an existing file is started as that one file (quoted), and a document
    // or a program that needs elevation, which cannot be started as a process, through the shell.
    bool run(const std::string& commandLine, ShowCommand show);
    // The platform's system folder (C:\Windows\system32), without a trailing backslash.
    virtual std::string systemFolder() = 0;

protected:
    enum class ProcessStart {
        Started,
        Failed,
        NeedsShell, // not a program (a document), or one that asks for elevation
    };
    // A new process from the whole command line, with no separate program name.
    virtual ProcessStart createProcess(const std::string& commandLine, ShowCommand show) = 0;
    // The shell's default action on the file (opening a document with its program), with parameters.
    virtual bool shellExecute(const std::string& file, const std::string& parameters, ShowCommand show) = 0;
    // True when the path names an existing file (not a folder).
    virtual bool isFile(const std::string& path) = 0;
};

} // namespace platform
