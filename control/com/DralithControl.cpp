#include "control/com/DralithControl.h"

#include "control/com/ArgumentCopies.h"
#include "win32kit/Guarded.h"

namespace dralith {
namespace {
// A default place of 120 x 48 pixels at 96 dpi, in HIMETRIC.
constexpr LONG kDefaultExtentWidth = 3175;
constexpr LONG kDefaultExtentHeight = 1270;
} // namespace

DralithControl::DralithControl()
    : events_(*this)
{
    extent_.cx = kDefaultExtentWidth;
    extent_.cy = kDefaultExtentHeight;
}

DralithControl::~DralithControl() = default;

HRESULT DralithControl::create(REFIID iid, void** result)
{
    // From here the object manages its own lifetime: the reference from construction is dropped
    // at the end, which deletes the object if nothing else took one.
    DralithControl* object = new DralithControl();
    HRESULT hr = win32kit::guarded([&] {
        HRESULT loaded = object->loadTypeInformation();
        if (FAILED(loaded))
            return loaded;
        HostEvents& events = *object;
        object->host_ = std::make_unique<ControlHost>(*static_cast<_DralithCTL*>(object), events);
        object->updateDetachedSize();
        return object->QueryInterface(iid, result);
    });
    object->Release();
    return hr;
}

HRESULT DralithControl::loadTypeInformation()
{
    HRESULT hr = LoadTypeLibEx(module::pathW().c_str(), REGKIND_NONE, typeLibrary_.put());
    if (FAILED(hr))
        return hr;
    hr = typeLibrary_->GetTypeInfoOfGuid(IID__DralithCTL, dispatchInfo_.put());
    if (FAILED(hr))
        return hr;
    // A dual interface's dispatch description refers (index -1) to its vtable description.
    HREFTYPE vtableSide = 0;
    if (SUCCEEDED(dispatchInfo_->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableSide)))
        hr = dispatchInfo_->GetRefTypeInfo(vtableSide, interfaceInfo_.put());
    else
        interfaceInfo_ = dispatchInfo_;
    return hr;
}

HRESULT STDMETHODCALLTYPE DralithControl::QueryInterface(REFIID iid, void** result)
{
    if (!result)
        return E_POINTER;
    void* found = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID__DralithCTL))
        found = static_cast<_DralithCTL*>(this);
    else if (IsEqualIID(iid, IID_IOleObject))
        found = static_cast<IOleObject*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject))
        found = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject))
        found = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(iid, IID_IOleControl))
        found = static_cast<IOleControl*>(this);
    else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2))
        found = static_cast<IViewObject2*>(this);
    else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit))
        found = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(iid, IID_IPersistPropertyBag))
        found = static_cast<IPersistPropertyBag*>(this);
    else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2))
        found = static_cast<IProvideClassInfo2*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
        found = static_cast<IConnectionPointContainer*>(this);
    *result = found;
    if (!found)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE DralithControl::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE DralithControl::Release()
{
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        // Keep the count above zero while tearing down: windows and sinks may call back.
        references_ = 1;
        host_.reset();
        events_.releaseSinks();
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE DralithControl::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetTypeInfo(UINT index, LCID, ITypeInfo** result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    *result = dispatchInfo_.get();
    (*result)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    return DispGetIDsOfNames(interfaceInfo_.get(), names, count, ids);
}

HRESULT STDMETHODCALLTYPE DralithControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
    VARIANT* result, EXCEPINFO* exception, UINT* argumentError)
{
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    // The library checks names, optional arguments and by-reference values as declared.
    if (!params || !hasReferenceArgument(*params))
        return interfaceInfo_->Invoke(
            static_cast<_DralithCTL*>(this), id, flags, params, result, exception, argumentError);
    // Script engines pass their variables by reference (VT_VARIANT | VT_BYREF, or a reference
    // to another type than declared), which the library cannot convert. No member writes its
    // argument back, so the values are handed over as copies and converted like plain values.
    return win32kit::guarded([&] {
        ArgumentCopies copies(*params);
        return interfaceInfo_->Invoke(
            static_cast<_DralithCTL*>(this), id, flags, copies.parameters(), result, exception, argumentError);
    });
}

void DralithControl::updateDetachedSize()
{
    // HIMETRIC to pixels at the usual 96 dpi: only used while the control has no window.
    host_->setDetachedSize(MulDiv(extent_.cx, 96, 2540), MulDiv(extent_.cy, 96, 2540));
}

} // namespace dralith
