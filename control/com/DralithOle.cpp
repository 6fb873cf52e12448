// IOleObject, in-place activation and IOleControl: how a container sites the control and gives
// it a window of its own.
#include "control/com/DralithControl.h"

#include "control/com/Guarded.h"
#include "control/com/Identifiers.h"

namespace dralith {

HRESULT STDMETHODCALLTYPE DralithControl::SetClientSite(IOleClientSite* site)
{
    clientSite_ = site;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetClientSite(IOleClientSite** site)
{
    if (!site)
        return E_POINTER;
    *site = com::ComPtr<IOleClientSite>(clientSite_).detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::Close(DWORD)
{
    InPlaceDeactivate();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::SetMoniker(DWORD, IMoniker*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DralithControl::InitFromData(IDataObject*, BOOL, DWORD)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetClipboardData(DWORD, IDataObject** data)
{
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DralithControl::DoVerb(
    LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position)
{
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
        return inPlaceActivate(site, parent, position, true);
    case OLEIVERB_INPLACEACTIVATE:
        return inPlaceActivate(site, parent, position, false);
    case OLEIVERB_HIDE:
        if (HWND window = host_->surfaceHandle())
            ShowWindow(window, SW_HIDE);
        return S_OK;
    default:
        return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT DralithControl::inPlaceActivate(IOleClientSite* site, HWND parent, LPCRECT position, bool uiActivate)
{
    return guarded([&]() -> HRESULT {
        if (host_->active()) {
            if (position)
                host_->move(*position);
            ShowWindow(host_->surfaceHandle(), SW_SHOWNA);
            return S_OK;
        }
        com::ComPtr<IOleClientSite> activeSite(site ? site : clientSite_.get());
        com::ComPtr<IOleInPlaceSite> inPlaceSite = activeSite.query<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (!inPlaceSite)
            return E_NOINTERFACE;
        if (inPlaceSite->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        inPlaceSite->OnInPlaceActivate();

        HWND container = nullptr;
        if (FAILED(inPlaceSite->GetWindow(&container)) || !container)
            container = parent;
        com::ComPtr<IOleInPlaceFrame> frame;
        com::ComPtr<IOleInPlaceUIWindow> document;
        RECT place = position ? *position : RECT {0, 0, 0, 0};
        RECT clip = place;
        OLEINPLACEFRAMEINFO frameInfo {};
        frameInfo.cb = sizeof frameInfo;
        inPlaceSite->GetWindowContext(frame.put(), document.put(), &place, &clip, &frameInfo);

        if (!container || !host_->activate(container, place)) {
            inPlaceSite->OnInPlaceDeactivate();
            return E_FAIL;
        }
        inPlaceSite_ = inPlaceSite;
        if (uiActivate && !uiActive_) {
            uiActive_ = inPlaceSite->OnUIActivate() == S_OK;
            if (uiActive_ && frame)
                frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
        }
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE DralithControl::EnumVerbs(IEnumOLEVERB** verbs)
{
    return OleRegEnumVerbs(CLSID_DralithCTL, verbs);
}

HRESULT STDMETHODCALLTYPE DralithControl::Update()
{
    return S_OK;
}
HRESULT STDMETHODCALLTYPE DralithControl::IsUpToDate()
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetUserClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_DralithCTL;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetUserType(DWORD form, LPOLESTR* userType)
{
    return OleRegGetUserType(CLSID_DralithCTL, form, userType);
}

HRESULT STDMETHODCALLTYPE DralithControl::SetExtent(DWORD aspect, SIZEL* size)
{
    if (!size)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    extent_ = *size;
    updateDetachedSize();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetExtent(DWORD aspect, SIZEL* size)
{
    if (!size)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::Advise(IAdviseSink* sink, DWORD* connection)
{
    if (!oleAdvise_) {
        HRESULT hr = CreateOleAdviseHolder(oleAdvise_.put());
        if (FAILED(hr))
            return hr;
    }
    return oleAdvise_->Advise(sink, connection);
}

HRESULT STDMETHODCALLTYPE DralithControl::Unadvise(DWORD connection)
{
    return oleAdvise_ ? oleAdvise_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT STDMETHODCALLTYPE DralithControl::EnumAdvise(IEnumSTATDATA** advise)
{
    if (!advise)
        return E_POINTER;
    *advise = nullptr;
    return oleAdvise_ ? oleAdvise_->EnumAdvise(advise) : S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetMiscStatus(DWORD, DWORD* status)
{
    if (!status)
        return E_POINTER;
    *status = ids::kMiscStatus;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::SetColorScheme(LOGPALETTE*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = host_->surfaceHandle();
    return *window ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE DralithControl::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DralithControl::InPlaceDeactivate()
{
    UIDeactivate();
    host_->deactivate();
    if (com::ComPtr<IOleInPlaceSite> site = inPlaceSite_) {
        inPlaceSite_.reset();
        site->OnInPlaceDeactivate();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::UIDeactivate()
{
    if (uiActive_) {
        uiActive_ = false;
        if (inPlaceSite_)
            inPlaceSite_->OnUIDeactivate(FALSE);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::SetObjectRects(LPCRECT position, LPCRECT)
{
    if (!position)
        return E_POINTER;
    host_->move(*position);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::ReactivateAndUndo()
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DralithControl::TranslateAccelerator(LPMSG)
{
    return S_FALSE;
}
HRESULT STDMETHODCALLTYPE DralithControl::OnFrameWindowActivate(BOOL)
{
    return S_OK;
}
HRESULT STDMETHODCALLTYPE DralithControl::OnDocWindowActivate(BOOL)
{
    return S_OK;
}
HRESULT STDMETHODCALLTYPE DralithControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return S_OK;
}
HRESULT STDMETHODCALLTYPE DralithControl::EnableModeless(BOOL)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::GetControlInfo(CONTROLINFO* info)
{
    if (!info)
        return E_POINTER;
    info->cb = sizeof *info;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::OnMnemonic(MSG*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE DralithControl::OnAmbientPropertyChange(DISPID)
{
    return S_OK;
}
HRESULT STDMETHODCALLTYPE DralithControl::FreezeEvents(BOOL)
{
    return S_OK;
}

} // namespace dralith
