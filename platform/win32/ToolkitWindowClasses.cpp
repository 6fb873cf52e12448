#include "platform/win32/ToolkitWindowClasses.h"

#include "platform/win32/ControlWindows.h"
#include "win32kit/WindowBase.h"

#include <stdexcept>
#include <string>

namespace platform::win32 {

namespace {

// Stock resources by number: the symbolic names switch between ANSI and wide with UNICODE.
constexpr WORD kStockApplicationIcon = 32512; // IDI_APPLICATION
constexpr WORD kStockArrowCursor = 32512;     // IDC_ARROW
constexpr const char* kProgramIconResource = "TOLVIX";

HICON defaultFormIcon(HINSTANCE instance)
{
    // The program's own icon resource when it has one, the system's application icon otherwise.
    if (HICON own = LoadIconA(instance, kProgramIconResource))
        return own;
    return LoadIconA(nullptr, MAKEINTRESOURCEA(kStockApplicationIcon));
}

} // namespace

ToolkitWindowClasses::ToolkitWindowClasses(HINSTANCE instance)
    : classes_(instance)
{
    add(kFormClass, &win32kit::WindowBase::windowProc, CS_DBLCLKS, defaultFormIcon(instance));
    // Redrawn whole on resize: centred and right-aligned text moves with the width.
    add(kLabelClass, &paintedControlProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr);
    // Own DCs: the glow strip draws twenty times a second and needs no DC from the shared cache.
    add(kPictureClass, &paintedControlProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_OWNDC, nullptr);
    add(kPanelClass, &paintedControlProc, CS_DBLCLKS, nullptr);
}

void ToolkitWindowClasses::add(const char* name, WNDPROC procedure, UINT style, HICON icon)
{
    win32kit::WindowClass description;
    description.name = name;
    description.style = style;
    description.procedure = procedure;
    description.icon = icon;
    description.cursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(kStockArrowCursor));
    if (!classes_.add(description))
        throw std::runtime_error(std::string("cannot register the window class ") + name);
}

} // namespace platform::win32
