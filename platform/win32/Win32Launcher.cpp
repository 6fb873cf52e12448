#include "platform/win32/Win32Launcher.h"

#include "platform/win32/SystemLibrary.h"
#include "win32kit/Handles.h"

#include <shellapi.h>

#include <vector>

namespace platform::win32 {

namespace {
// ERROR_ELEVATION_REQUIRED, which the headers declare only for newer Windows targets.
constexpr DWORD kElevationRequired = 740;
} // namespace

Launcher::ProcessStart Win32Launcher::createProcess(const std::string& commandLine, ShowCommand show)
{
    // CreateProcessA may write into the command line.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION info {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        const DWORD error = GetLastError();
        // A document is no executable image; a program whose manifest asks for elevation only
        // starts through the shell, which asks the user.
        return error == ERROR_BAD_EXE_FORMAT || error == kElevationRequired ? ProcessStart::NeedsShell
                                                                            : ProcessStart::Failed;
    }
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    return ProcessStart::Started;
}

bool Win32Launcher::shellExecute(const std::string& file, const std::string& parameters, ShowCommand show)
{
    if (!shell32_)
        shell32_ = loadSystemLibrary("shell32.dll");
    using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);
    const auto shellExecuteEx = procAddress<ShellExecuteExFn>(shell32_.get(), "ShellExecuteExA");
    if (!shellExecuteEx)
        return false;
    SHELLEXECUTEINFOA request {};
    request.cbSize = sizeof request;
    // No message boxes of the shell's own: the bar says in its tooltips that a start failed.
    request.fMask = SEE_MASK_FLAG_NO_UI;
    request.lpFile = file.c_str();
    request.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    request.nShow = static_cast<int>(show);
    return shellExecuteEx(&request) != FALSE;
}

bool Win32Launcher::isFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Win32Launcher::systemFolder()
{
    std::vector<char> buffer(MAX_PATH);
    UINT length = GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) { // too small: length is the size needed
        buffer.resize(length + 1);
        length = GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    if (length == 0 || length >= buffer.size())
        return std::string();
    std::string folder(buffer.data(), length);
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

bool Win32Power::enableShutdownPrivilege()
{
    // Windows 9x has no tokens: this fails there, and ExitWindowsEx needs no privilege.
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw))
        return false;
    UniqueKernelHandle token(raw);
    TOKEN_PRIVILEGES privileges {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return false;
    // Succeeds even when the privilege is not held; only ERROR_SUCCESS means it is enabled.
    return AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) &&
        GetLastError() == ERROR_SUCCESS;
}

bool Win32Power::exitWindows(unsigned flags)
{
    return ExitWindowsEx(flags, SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED) !=
        FALSE;
}

} // namespace platform::win32
