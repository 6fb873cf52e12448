#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Toolkit.h"

namespace platform::win32 {

struct Win32Platform::Parts {
    Win32Desktop desktop;
    Win32Files files;
    Win32System system;
    Win32Toolkit toolkit;
};

Win32Platform::Win32Platform()
    : parts_(std::make_unique<Parts>())
{
}

Win32Platform::~Win32Platform() = default;

Desktop& Win32Platform::desktop()
{
    return parts_->desktop;
}
ui::Toolkit& Win32Platform::toolkit()
{
    return parts_->toolkit;
}
Files& Win32Platform::files()
{
    return parts_->files;
}
System& Win32Platform::system()
{
    return parts_->system;
}

int Win32Platform::runMessageLoop()
{
    return parts_->toolkit.runMessageLoop();
}

} // namespace platform::win32
