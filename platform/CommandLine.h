#pragma once
// How a command line names its program, read as CreateProcess reads a line given without a
// separate program name, so that the bar can quote a bare path with blanks and hand a program
// that cannot be started as a process to the shell with the same parameters.
#include <functional>
#include <string>

namespace platform {

// True when the path names an existing file (not a folder).
using FileTest = std::function<bool(const std::string& path)>;

// The line quoted when it is, as a whole, the name of an existing file: unquoted, CreateProcess
// would first try the part before its first blank ("C:\Program.exe" for "C:\Program Files\...").
// Every other line is returned as it is.
std::string QuotedWhenOneFile(const std::string& commandLine, const FileTest& isFile);

struct ProgramAndParameters {
    std::string program;
    std::string parameters; // without the blanks that separate them from the program
};

// The program a line names and what follows it: a quoted name up to its closing quote; else the
// shortest part before a blank that names an existing file (also with ".exe" added), as
// CreateProcess tries them; else the part before the first blank.
ProgramAndParameters SplitCommandLine(const std::string& commandLine, const FileTest& isFile);

} // namespace platform
