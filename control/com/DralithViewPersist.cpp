// IViewObject2, persistence (an empty state), class information and the event connection point.
#include "control/com/DralithControl.h"

#include "control/com/GdiGraphSurface.h"
#include "win32kit/Guarded.h"
#include "win32kit/DcScopes.h"

namespace dralith {

HRESULT STDMETHODCALLTYPE DralithControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDc,
    LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!drawDc || !bounds)
        return E_INVALIDARG;
    return win32kit::guarded([&] {
        // The container's DC is lent: its pen and brush colours, clip and modes go back as found.
        const win32kit::SavedDc saved(drawDc);
        IntersectClipRect(drawDc, bounds->left, bounds->top, bounds->right, bounds->bottom);
        paintState(host_->viewer(), drawDc, bounds->right - bounds->left, bounds->bottom - bounds->top,
            POINT {bounds->left, bounds->top});
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE DralithControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colours)
{
    if (colours)
        *colours = nullptr;
    return S_FALSE; // any palette will do
}

HRESULT STDMETHODCALLTYPE DralithControl::Freeze(DWORD, LONG, void*, DWORD* freeze)
{
    if (freeze)
        *freeze = 0;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DralithControl::Unfreeze(DWORD)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DralithControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    viewAdvise_ = sink;
    viewAdviseAspects_ = aspects;
    viewAdviseFlags_ = flags;
    if (sink && (flags & ADVF_PRIMEFIRST))
        viewChanged();
    return S_OK;
}

void DralithControl::viewChanged()
{
    if (!viewAdvise_ || !(viewAdviseAspects_ & DVASPECT_CONTENT))
        return;
    // Held by a local: the sink may replace or drop itself from inside OnViewChange.
    win32kit::ComPtr<IAdviseSink> sink = viewAdvise_;
    if (viewAdviseFlags_ & ADVF_ONLYONCE) {
        viewAdvise_.reset();
        viewAdviseAspects_ = 0;
        viewAdviseFlags_ = 0;
    }
    sink->OnViewChange(DVASPECT_CONTENT, -1);
}

HRESULT STDMETHODCALLTYPE DralithControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    if (aspects)
        *aspects = viewAdviseAspects_;
    if (flags)
        *flags = viewAdviseFlags_;
    if (sink)
        *sink = win32kit::ComPtr<IAdviseSink>(viewAdvise_).detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size)
{
    return GetExtent(aspect, size);
}

HRESULT STDMETHODCALLTYPE DralithControl::GetClassID(CLSID* clsid)
{
    return GetUserClassID(clsid);
}
HRESULT STDMETHODCALLTYPE DralithControl::IsDirty()
{
    return S_FALSE;
}
HRESULT STDMETHODCALLTYPE DralithControl::Load(LPSTREAM stream)
{
    return stream ? S_OK : E_POINTER;
}
HRESULT STDMETHODCALLTYPE DralithControl::Save(LPSTREAM stream, BOOL)
{
    return stream ? S_OK : E_POINTER;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size)
        return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::InitNew()
{
    return S_OK;
}
HRESULT STDMETHODCALLTYPE DralithControl::Load(IPropertyBag* bag, IErrorLog*)
{
    return bag ? S_OK : E_POINTER;
}
HRESULT STDMETHODCALLTYPE DralithControl::Save(IPropertyBag* bag, BOOL, BOOL)
{
    return bag ? S_OK : E_POINTER;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetClassInfo(ITypeInfo** result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return typeLibrary_->GetTypeInfoOfGuid(CLSID_DralithCTL, result);
}

HRESULT STDMETHODCALLTYPE DralithControl::GetGUID(DWORD kind, GUID* guid)
{
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID___DralithCTL;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::EnumConnectionPoints(IEnumConnectionPoints** result)
{
    return createConnectionPointEnumerator(events_, result);
}

HRESULT STDMETHODCALLTYPE DralithControl::FindConnectionPoint(REFIID iid, IConnectionPoint** result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (!IsEqualIID(iid, DIID___DralithCTL))
        return CONNECT_E_NOCONNECTION;
    *result = &events_;
    events_.AddRef();
    return S_OK;
}

} // namespace dralith
