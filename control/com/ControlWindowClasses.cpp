#include "control/com/ControlWindowClasses.h"

#include "control/com/Module.h"
#include "win32kit/WindowClassSet.h"

#include <optional>

namespace dralith {
namespace {

bool g_registered = false;
// The classes this copy registered itself: one found already there (another copy's, or a
// host's of the same name) is used but never removed.
std::optional<win32kit::WindowClassSet> g_classes;

bool addClass(const char* name, UINT style, HCURSOR cursor)
{
    win32kit::WindowClass description;
    description.name = name;
    description.style = style;
    description.cursor = cursor;
    return g_classes->add(description);
}

} // namespace

bool registerWindowClasses()
{
    if (g_registered)
        return true;
    if (!g_classes)
        g_classes.emplace(module::instance());
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    g_registered = addClass(kSurfaceClass, CS_DBLCLKS, arrow) && addClass(kLabelClass, 0, arrow) &&
        addClass(kTickClass, 0, nullptr) && addClass(kAboutClass, 0, arrow);
    return g_registered;
}

void unregisterWindowClasses()
{
    g_classes.reset();
    g_registered = false;
}

void forgetWindowClasses()
{
    if (g_classes)
        g_classes->forget();
    g_registered = false;
}

HWND createHandledWindow(const win32kit::WindowSpec& props, win32kit::WindowBase& handler)
{
    if (!registerWindowClasses())
        return nullptr;
    return win32kit::createWindow(module::instance(), props, handler);
}

} // namespace dralith
