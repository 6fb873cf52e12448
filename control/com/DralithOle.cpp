// IOleObject, in-place activation and IOleControl: how a container sites the control and gives
// it a window of its own.
#include "control/com/DralithControl.h"

#include "win32kit/Guarded.h"
#include "control/com/Identifiers.h"

#include <utility>

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
    *site = win32kit::ComPtr<IOleClientSite>(clientSite_).detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::Close(DWORD)
{
    InPlaceDeactivate();
    // Nothing to save (the control keeps no state in its container); the sinks learn it closed.
    if (win32kit::ComPtr<IOleAdviseHolder> holder = oleAdvise_)
        holder->SendOnClose();
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

HRESULT DralithControl::inPlaceActivate(IOleClientSite* site, HWND parent, LPCRECT position, bool activateUi)
{
    return win32kit::guarded([&]() -> HRESULT {
        if (host_->active()) {
            if (position)
                host_->move(*position);
            ShowWindow(host_->surfaceHandle(), SW_SHOWNA);
            if (activateUi)
                uiActivate();
            return S_OK;
        }
        win32kit::ComPtr<IOleClientSite> activeSite(site ? site : clientSite_.get());
        win32kit::ComPtr<IOleInPlaceSite> inPlaceSite = activeSite.query<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (!inPlaceSite)
            return E_NOINTERFACE;
        if (inPlaceSite->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        inPlaceSite->OnInPlaceActivate();

        HWND container = nullptr;
        if (FAILED(inPlaceSite->GetWindow(&container)) || !container)
            container = parent;
        win32kit::ComPtr<IOleInPlaceFrame> frame;
        win32kit::ComPtr<IOleInPlaceUIWindow> document;
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
        if (activateUi)
            uiActivate();
        return S_OK;
    });
}

// The container's frame and document window get this object as their active object, and are
// kept until UIDeactivate takes it back.
void DralithControl::uiActivate()
{
    if (uiActive_ || !inPlaceSite_ || inPlaceSite_->OnUIActivate() != S_OK)
        return;
    uiActive_ = true;
    RECT place {}, clip {};
    OLEINPLACEFRAMEINFO frameInfo {};
    frameInfo.cb = sizeof frameInfo;
    inPlaceSite_->GetWindowContext(frame_.put(), document_.put(), &place, &clip, &frameInfo);
    auto* self = static_cast<IOleInPlaceActiveObject*>(this);
    if (frame_)
        frame_->SetActiveObject(self, nullptr);
    if (document_)
        document_->SetActiveObject(self, nullptr);
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

// The system's advise holder, made on first use: it keeps the sinks and enumerates them.
HRESULT DralithControl::oleAdviseHolder(IOleAdviseHolder** holder)
{
    if (!oleAdvise_) {
        HRESULT hr = CreateOleAdviseHolder(oleAdvise_.put());
        if (FAILED(hr))
            return hr;
    }
    *holder = win32kit::ComPtr<IOleAdviseHolder>(oleAdvise_).detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::Advise(IAdviseSink* sink, DWORD* connection)
{
    win32kit::ComPtr<IOleAdviseHolder> holder;
    HRESULT hr = oleAdviseHolder(holder.put());
    return FAILED(hr) ? hr : holder->Advise(sink, connection);
}

HRESULT STDMETHODCALLTYPE DralithControl::Unadvise(DWORD connection)
{
    return oleAdvise_ ? oleAdvise_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

// Advise is supported, so this always answers with an enumerator (empty before any Advise).
HRESULT STDMETHODCALLTYPE DralithControl::EnumAdvise(IEnumSTATDATA** advise)
{
    if (!advise)
        return E_POINTER;
    *advise = nullptr;
    win32kit::ComPtr<IOleAdviseHolder> holder;
    HRESULT hr = oleAdviseHolder(holder.put());
    return FAILED(hr) ? hr : holder->EnumAdvise(advise);
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
    if (win32kit::ComPtr<IOleInPlaceSite> site = inPlaceSite_) {
        inPlaceSite_.reset();
        site->OnInPlaceDeactivate();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::UIDeactivate()
{
    if (!uiActive_)
        return S_OK;
    uiActive_ = false;
    // Taken out of the members first: the container may call back while it lets go.
    win32kit::ComPtr<IOleInPlaceFrame> frame(std::move(frame_));
    win32kit::ComPtr<IOleInPlaceUIWindow> document(std::move(document_));
    if (document)
        document->SetActiveObject(nullptr, nullptr);
    if (frame)
        frame->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_)
        inPlaceSite_->OnUIDeactivate(FALSE);
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
