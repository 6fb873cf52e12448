#include "platform/win32/Dialogs.h"

#include "platform/win32/SystemLibrary.h"

#include <commdlg.h>

#include <vector>

namespace platform::win32 {

namespace {

using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEA*);

// comdlg32 brings the shell, OLE and the print spooler with it: megabytes that an idle bar would
// carry for a dialog seldom opened. Loaded on the first dialog and kept, since what it loaded
// (OLE on this thread, the shell's own windows) may still be in use once it returns.
GetOpenFileNameFn openFileNameFunction()
{
    static const UniqueModule library = loadSystemLibrary("comdlg32.dll");
    static const GetOpenFileNameFn function =
        library ? procAddress<GetOpenFileNameFn>(library.get(), "GetOpenFileNameA") : nullptr;
    return function;
}

} // namespace

std::optional<std::string> showOpenFileDialog(HWND owner, const ui::OpenFileRequest& request)
{
    // One filter entry, its pattern serving as its description: both end in a NUL, the list in one more.
    const std::string pattern = request.pattern.empty() ? std::string("*.*") : request.pattern;
    std::string filters = pattern;
    filters.push_back('\0');
    filters += pattern;
    filters.push_back('\0');
    filters.push_back('\0');
    std::vector<char> file(32768, '\0');

    OPENFILENAMEA dialog {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const GetOpenFileNameFn getOpenFileName = openFileNameFunction();
    if (!getOpenFileName || !getOpenFileName(&dialog))
        return std::nullopt;
    return std::string(file.data());
}

} // namespace platform::win32
