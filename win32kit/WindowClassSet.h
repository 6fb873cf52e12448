#pragma once
// Registering window classes, and unregistering them again when their owner goes.
#include "win32kit/WindowBase.h"

#include <string>
#include <vector>

namespace win32kit {

struct WindowClass {
    const char* name = nullptr;
    UINT style = 0;
    WNDPROC procedure = &WindowBase::windowProc;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr; // none: the windows paint their own background
};

enum class Registration {
    Registered,
    AlreadyThere, // a class of that name exists for the module: usable, but not ours to remove
    Failed,
};

Registration registerWindowClass(HINSTANCE instance, const WindowClass& description);

// The classes one module registered, unregistered when the set is cleared or destroyed.
class WindowClassSet {
public:
    explicit WindowClassSet(HINSTANCE instance)
        : instance_(instance)
    {
    }
    ~WindowClassSet() { clear(); }
    WindowClassSet(const WindowClassSet&) = delete;
    WindowClassSet& operator=(const WindowClassSet&) = delete;

    // False only when Windows refuses the class; one already there is used as it is.
    bool add(const WindowClass& description);
    void clear();
    // Drops the record without unregistering anything (the process is ending).
    void forget() { registered_.clear(); }

private:
    HINSTANCE instance_;
    std::vector<std::string> registered_;
};

} // namespace win32kit
