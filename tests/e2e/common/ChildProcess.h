#pragma once
// A program started by a probe. It is ended through its own process handle when the object
// goes, so a failing probe never leaves it running.
#include <windows.h>

#include <string>

#include "win32kit/Handles.h"

namespace e2e {

class ChildProcess {
public:
    ChildProcess() = default;
    // Starts `exe` with `folder` as its working folder and `arguments` after its quoted name; on
    // failure running() is false and error() says why.
    ChildProcess(const std::string& exe, const std::string& folder, const std::string& arguments = "");
    ChildProcess(ChildProcess&&) = default;
    ChildProcess& operator=(ChildProcess&&) = default;
    ~ChildProcess() { Kill(); }

    bool running() const;
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    const std::string& error() const { return error_; }
    // Exit code once ended, STILL_ACTIVE while running.
    DWORD exitCode() const;
    // Terminates the process (if still running) and waits until it is gone.
    void Kill();

private:
    win32kit::UniqueKernelHandle process_;
    DWORD id_ = 0;
    std::string error_;
};

std::string LastErrorText();

} // namespace e2e
