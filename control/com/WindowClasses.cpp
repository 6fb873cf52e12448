#include "control/com/WindowClasses.h"

#include "control/com/Module.h"
#include "win32kit/WindowClasses.h"

#include <cstddef>

namespace dralith {
namespace {

constexpr const char* kClasses[] = {kSurfaceClass, kLabelClass, kTickClass, kAboutClass};
constexpr std::size_t kClassCount = sizeof kClasses / sizeof kClasses[0];

bool g_registered = false;
// Which classes this copy registered itself: one found already there (another copy's, or a
// host's of the same name) is used but never removed.
bool g_owned[kClassCount] = {};

bool registerClass(std::size_t index, UINT style, HCURSOR cursor)
{
    win32kit::WindowClass description;
    description.name = kClasses[index];
    description.style = style;
    description.cursor = cursor;
    const win32kit::Registration result = win32kit::registerWindowClass(module::instance(), description);
    g_owned[index] = result == win32kit::Registration::Registered;
    return result != win32kit::Registration::Failed;
}

} // namespace

bool registerWindowClasses()
{
    if (g_registered)
        return true;
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    g_registered = registerClass(0, CS_DBLCLKS, arrow) && registerClass(1, 0, arrow) && registerClass(2, 0, nullptr) &&
        registerClass(3, 0, arrow);
    return g_registered;
}

void unregisterWindowClasses()
{
    for (std::size_t i = 0; i < kClassCount; ++i) {
        if (g_owned[i])
            UnregisterClassA(kClasses[i], module::instance());
        g_owned[i] = false;
    }
    g_registered = false;
}

HWND createHandledWindow(const win32kit::WindowSpec& props, win32kit::WindowBase& handler)
{
    if (!registerWindowClasses())
        return nullptr;
    return win32kit::createWindow(module::instance(), props, handler);
}

} // namespace dralith
