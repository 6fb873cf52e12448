#pragma once
// The dial-up functions of rasapi32, loaded when first asked for: the DLL is missing on some
// installations, and the program must start without it.
#include "platform/Launcher.h"
#include "platform/RemoteAccess.h"
#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

namespace platform::win32 {

class Win32RemoteAccess final : public RemoteAccess {
public:
    // The dialler is started through launcher, which must outlive this object.
    explicit Win32RemoteAccess(Launcher& launcher)
        : launcher_(launcher)
    {
    }

    bool available() override;
    // Allocates nothing, so the refresh tick can ask.
    bool connected() override;
    std::vector<std::string> entryNames() override;
    bool dial(const std::string& entryName) override;

private:
    // Pointer types are kept opaque here so that <ras.h> stays in the .cpp.
    using EnumConnectionsFn = unsigned long(WINAPI*)(void*, unsigned long*, unsigned long*);
    using EnumEntriesFn = unsigned long(WINAPI*)(const char*, const char*, void*, unsigned long*, unsigned long*);

    void load();

    Launcher& launcher_;
    bool loaded_ = false;
    UniqueModule rasapi_;
    EnumConnectionsFn enumConnections_ = nullptr;
    EnumEntriesFn enumEntries_ = nullptr;
};

} // namespace platform::win32
