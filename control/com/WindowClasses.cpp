#include "control/com/WindowClasses.h"

#include "control/com/Module.h"
#include "win32kit/WindowClasses.h"

namespace dralith {
namespace {

bool g_registered = false;

bool registerClass(const char* name, UINT style, HCURSOR cursor)
{
    win32kit::WindowClass description;
    description.name = name;
    description.style = style;
    description.cursor = cursor;
    return win32kit::registerWindowClass(module::instance(), description) != win32kit::Registration::Failed;
}

} // namespace

bool registerWindowClasses()
{
    if (g_registered)
        return true;
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    g_registered = registerClass(kSurfaceClass, CS_DBLCLKS, arrow) && registerClass(kLabelClass, 0, arrow) &&
        registerClass(kTickClass, 0, nullptr) && registerClass(kAboutClass, 0, arrow);
    return g_registered;
}

void unregisterWindowClasses()
{
    if (!g_registered)
        return;
    for (const char* name : {kSurfaceClass, kLabelClass, kTickClass, kAboutClass})
        UnregisterClassA(name, module::instance());
    g_registered = false;
}

HWND createHandledWindow(const win32kit::WindowSpec& props, win32kit::WindowBase& handler)
{
    if (!registerWindowClasses())
        return nullptr;
    return win32kit::createWindow(module::instance(), props, handler);
}

} // namespace dralith
