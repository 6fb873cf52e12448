#pragma once
// Starts a copy of tolvix.exe from a private folder (so side files can be put beside it) and
// finds its bar window.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/common/ChildProcess.h"
#include "tests/e2e/common/ScratchFolder.h"

namespace bar_probe {

struct SideFile {
    std::string extension; // ".BMP", ".NFO", ...
    std::vector<unsigned char> bytes;
    std::string fileName = {}; // when set, the file's whole name instead of "tolvix" + extension
};

struct RunningBar {
    // Declared before the process: the process ends before its folder is cleared away.
    std::unique_ptr<e2e::ScratchFolder> folder;
    e2e::ChildProcess process;
    HWND bar = nullptr;
    unsigned long long startMs = 0; // from CreateProcess to the bar window being visible
    std::string error;
};

// Copies `tolvixExe` to "<scratch>\tolvix.exe", writes the side files as "tolvix<ext>" (or under
// their own names), starts it and waits up to `timeoutMs` for its bar window.
std::unique_ptr<RunningBar> LaunchBar(
    const std::string& tolvixExe, const std::string& name, const std::vector<SideFile>& sideFiles, int timeoutMs);

} // namespace bar_probe
