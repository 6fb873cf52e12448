#pragma once
// The toolkit's modal dialogs: the system's open-file dialog and a small input box.
#include "platform/Toolkit.h"
#include "platform/win32/ToolkitContext.h"
#include "platform/win32/WinApi.h"

#include <optional>
#include <string>

namespace platform::win32 {

// The chosen file's full path; nullopt when the user cancels or the dialog cannot be shown.
std::optional<std::string> showOpenFileDialog(HWND owner, const ui::OpenFileRequest& request);
// The text in the box when the user chose OK; nullopt for Cancel, Escape or the close box.
std::optional<std::string> showInputBox(ToolkitContext& context, HWND owner, const std::string& prompt,
    const std::string& title, const std::string& defaultText);

} // namespace platform::win32
