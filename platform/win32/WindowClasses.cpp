#include "platform/win32/WindowClasses.h"

#include "platform/win32/ControlWindows.h"
#include "platform/win32/FormWindow.h"

#include <stdexcept>

namespace platform::win32 {

namespace {

// Stock resources by number: the symbolic names switch between ANSI and wide with UNICODE.
constexpr WORD kStockApplicationIcon = 32512; // IDI_APPLICATION
constexpr WORD kStockArrowCursor = 32512;     // IDC_ARROW
constexpr WORD kProgramIconResource = 1;

HICON defaultFormIcon(HINSTANCE instance)
{
    // The program's own icon resource when it has one, the system's application icon otherwise.
    if (HICON own = LoadIconA(instance, MAKEINTRESOURCEA(kProgramIconResource)))
        return own;
    return LoadIconA(nullptr, MAKEINTRESOURCEA(kStockApplicationIcon));
}

} // namespace

WindowClasses::WindowClasses(HINSTANCE instance)
    : instance_(instance)
{
    add(kFormClass, &FormWindow::windowProc, CS_DBLCLKS, defaultFormIcon(instance));
    // Redrawn whole on resize: centred and right-aligned text moves with the width.
    add(kLabelClass, &paintedControlProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr);
    add(kPictureClass, &paintedControlProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr);
    add(kPanelClass, &paintedControlProc, CS_DBLCLKS, nullptr);
}

WindowClasses::~WindowClasses()
{
    for (const std::string& name : registered_)
        UnregisterClassA(name.c_str(), instance_);
}

void WindowClasses::add(const char* name, WNDPROC procedure, UINT style, HICON icon)
{
    WNDCLASSEXA description {};
    description.cbSize = sizeof description;
    description.style = style;
    description.lpfnWndProc = procedure;
    description.hInstance = instance_;
    description.hIcon = icon;
    description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(kStockArrowCursor));
    description.hbrBackground = nullptr; // every class paints its own background
    description.lpszClassName = name;
    if (RegisterClassExA(&description)) {
        registered_.emplace_back(name);
        return;
    }
    if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error(std::string("cannot register the window class ") + name);
}

} // namespace platform::win32
