#pragma once
// The libraries a screen reader's requests need, loaded when the first request comes: most runs
// never see a reader, and these bring COM with them. Holds the thread's COM apartment for as
// long as readers may call in.
#include "win32kit/ComPtr.h"
#include "platform/win32/WinApi.h"

#include <oleacc.h>

#include <memory>
#include <string>

namespace platform::win32 {

class OleAccess {
public:
    // Null when a library or function is missing or the apartment cannot be joined.
    static std::unique_ptr<OleAccess> load();
    ~OleAccess();
    OleAccess(const OleAccess&) = delete;
    OleAccess& operator=(const OleAccess&) = delete;

    // The value WM_GETOBJECT answers for `object`; 0 when it cannot be handed out.
    LRESULT answer(WPARAM flags, IUnknown* object) const;
    // The system's own object for a window: where, whose child, its neighbours.
    win32kit::ComPtr<IAccessible> standardObject(HWND window) const;
    // A new string for a reader in the program's code page, or null when out of memory.
    BSTR newString(const std::string& text) const;
    // The description of IAccessible from the library's type library, for IDispatch callers;
    // loaded on first use, null when missing.
    ITypeInfo* accessibleTypeInfo();

private:
    OleAccess() = default;

    using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
    using CoUninitializeFn = void(WINAPI*)();
    using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using SysAllocStringLenFn = BSTR(WINAPI*)(const OLECHAR*, UINT);
    using LoadTypeLibFn = HRESULT(WINAPI*)(LPCOLESTR, ITypeLib**);

    UniqueModule ole32_;
    UniqueModule oleaut32_;
    UniqueModule oleacc_;
    CoUninitializeFn coUninitialize_ = nullptr;
    LresultFromObjectFn lresultFromObject_ = nullptr;
    CreateStdAccessibleObjectFn createStdAccessibleObject_ = nullptr;
    SysAllocStringLenFn sysAllocStringLen_ = nullptr;
    LoadTypeLibFn loadTypeLib_ = nullptr;
    bool apartmentJoined_ = false;
    bool typeInfoTried_ = false;
    win32kit::ComPtr<ITypeInfo> typeInfo_;
};

} // namespace platform::win32
