#include "tests/e2e/common/ChildProcess.h"

namespace e2e {

std::string LastErrorText()
{
    return "error " + std::to_string(GetLastError());
}

ChildProcess::ChildProcess(const std::string& exe, const std::string& folder, const std::string& arguments)
{
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(
            exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info)) {
        error_ = "CreateProcess(" + exe + ") failed: " + LastErrorText();
        return;
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
}

bool ChildProcess::running() const
{
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::exitCode() const
{
    DWORD code = 0;
    if (!process_ || !GetExitCodeProcess(process_.get(), &code))
        return 0;
    return code;
}

void ChildProcess::Kill()
{
    if (!process_)
        return;
    if (running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 10000);
    }
    process_.reset();
}

} // namespace e2e
