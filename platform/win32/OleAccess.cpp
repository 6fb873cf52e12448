#include "platform/win32/OleAccess.h"

#include "platform/win32/SystemLibrary.h"

#include <oleacc.h>

#include <vector>

namespace platform::win32 {

std::unique_ptr<OleAccess> OleAccess::load()
{
    std::unique_ptr<OleAccess> ole(new OleAccess());
    ole->ole32_ = loadSystemLibrary("ole32.dll");
    ole->oleaut32_ = loadSystemLibrary("oleaut32.dll");
    ole->oleacc_ = loadSystemLibrary("oleacc.dll");
    if (!ole->ole32_ || !ole->oleaut32_ || !ole->oleacc_)
        return nullptr;
    const auto coInitializeEx = procAddress<CoInitializeExFn>(ole->ole32_.get(), "CoInitializeEx");
    ole->coUninitialize_ = procAddress<CoUninitializeFn>(ole->ole32_.get(), "CoUninitialize");
    ole->lresultFromObject_ = procAddress<LresultFromObjectFn>(ole->oleacc_.get(), "LresultFromObject");
    ole->createStdAccessibleObject_ =
        procAddress<CreateStdAccessibleObjectFn>(ole->oleacc_.get(), "CreateStdAccessibleObject");
    ole->sysAllocStringLen_ = procAddress<SysAllocStringLenFn>(ole->oleaut32_.get(), "SysAllocStringLen");
    ole->loadTypeLib_ = procAddress<LoadTypeLibFn>(ole->oleaut32_.get(), "LoadTypeLib");
    if (!coInitializeEx || !ole->coUninitialize_ || !ole->lresultFromObject_ || !ole->createStdAccessibleObject_ ||
        !ole->sysAllocStringLen_)
        return nullptr;
    // Readers' calls arrive as messages of this thread's apartment, handled by the one message loop.
    const HRESULT joined = coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(joined) && joined != RPC_E_CHANGED_MODE)
        return nullptr;
    ole->apartmentJoined_ = SUCCEEDED(joined); // S_FALSE too: every success is balanced
    return ole;
}

OleAccess::~OleAccess()
{
    typeInfo_.reset();
    // Disconnects the readers still holding objects before the libraries go.
    if (apartmentJoined_)
        coUninitialize_();
}

LRESULT OleAccess::answer(WPARAM flags, IUnknown* object) const
{
    const LRESULT result = lresultFromObject_(__uuidof(IAccessible), flags, object);
    // A failure comes back as a negative HRESULT, which WM_GETOBJECT must not answer.
    return result < 0 ? 0 : result;
}

win32kit::ComPtr<IAccessible> OleAccess::standardObject(HWND window) const
{
    win32kit::ComPtr<IAccessible> object;
    if (FAILED(createStdAccessibleObject_(window, OBJID_CLIENT, __uuidof(IAccessible), object.putVoid())))
        object.reset();
    return object;
}

BSTR OleAccess::newString(const std::string& text) const
{
    if (text.empty())
        return sysAllocStringLen_(L"", 0);
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return nullptr;
    std::vector<wchar_t> wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return sysAllocStringLen_(wide.data(), static_cast<UINT>(length));
}

ITypeInfo* OleAccess::accessibleTypeInfo()
{
    if (typeInfoTried_ || !loadTypeLib_)
        return typeInfo_.get();
    typeInfoTried_ = true;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(oleacc_.get(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    win32kit::ComPtr<ITypeLib> library;
    if (FAILED(loadTypeLib_(path, library.put())) ||
        FAILED(library->GetTypeInfoOfGuid(__uuidof(IAccessible), typeInfo_.put())))
        typeInfo_.reset();
    return typeInfo_.get();
}

} // namespace platform::win32
