#include "win32kit/WindowClassSet.h"

namespace win32kit {

Registration registerWindowClass(HINSTANCE instance, const WindowClass& description)
{
    WNDCLASSEXA windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = description.style;
    windowClass.lpfnWndProc = description.procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = description.icon;
    windowClass.hCursor = description.cursor;
    windowClass.hbrBackground = description.background;
    windowClass.lpszClassName = description.name;
    if (RegisterClassExA(&windowClass))
        return Registration::Registered;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? Registration::AlreadyThere : Registration::Failed;
}

bool WindowClassSet::add(const WindowClass& description)
{
    switch (registerWindowClass(instance_, description)) {
    case Registration::Registered:
        registered_.emplace_back(description.name);
        return true;
    case Registration::AlreadyThere:
        return true;
    case Registration::Failed:
        break;
    }
    return false;
}

void WindowClassSet::clear()
{
    for (const std::string& name : registered_)
        UnregisterClassA(name.c_str(), instance_);
    registered_.clear();
}

} // namespace win32kit
