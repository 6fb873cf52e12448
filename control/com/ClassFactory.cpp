#include "control/com/ClassFactory.h"

#include "control/com/DralithControl.h"
#include "win32kit/Guarded.h"
#include "control/com/Module.h"

namespace dralith {

ClassFactory& classFactory()
{
    static ClassFactory factory;
    return factory;
}

HRESULT STDMETHODCALLTYPE ClassFactory::QueryInterface(REFIID iid, void** result)
{
    if (!result)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *result = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

// A handed-out class object keeps the module loaded, like a server lock.
ULONG STDMETHODCALLTYPE ClassFactory::AddRef()
{
    module::addReference();
    return 2;
}
ULONG STDMETHODCALLTYPE ClassFactory::Release()
{
    module::releaseReference();
    return 1;
}

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return win32kit::guarded([&] { return DralithControl::create(iid, result); });
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock)
{
    if (lock)
        module::addReference();
    else
        module::releaseReference();
    return S_OK;
}

} // namespace dralith
