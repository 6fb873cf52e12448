#pragma once
// The COM object DralithCTL: automation through the type library, and the OLE interfaces a
// container uses to site, activate, draw, persist and query it. The behaviour lives in
// ControlHost and the portable viewer; this class only translates.
#include <ocidl.h>
#include <olectl.h>

#include <memory>

#include "win32kit/ComPtr.h"
#include "control/com/ControlHost.h"
#include "control/com/Dralith_h.h"
#include "control/com/EventConnectionPoint.h"
#include "control/com/Module.h"

namespace dralith {

class DralithControl final : public _DralithCTL,
                             public IOleObject,
                             public IOleInPlaceObject,
                             public IOleInPlaceActiveObject,
                             public IOleControl,
                             public IViewObject2,
                             public IPersistStreamInit,
                             public IPersistPropertyBag,
                             public IProvideClassInfo2,
                             public IConnectionPointContainer,
                             private HostEvents {
public:
    static HRESULT create(REFIID iid, void** result);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch, answered by the type library
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** result) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError) override;

    // _DralithCTL
    HRESULT STDMETHODCALLTYPE LoadSettings(BSTR application) override;
    HRESULT STDMETHODCALLTYPE SaveSettings(BSTR application) override;
    HRESULT STDMETHODCALLTYPE DelSettings(BSTR application) override;
    HRESULT STDMETHODCALLTYPE put_FreeOnClickEnabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_FreeOnClickEnabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_FreeMemory(LONG* value) override;
    HRESULT STDMETHODCALLTYPE put_DataLength(float* value) override;
    HRESULT STDMETHODCALLTYPE get_DataLength(float* value) override;
    HRESULT STDMETHODCALLTYPE put_MenuDisplayVisible(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_MenuDisplayVisible(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_MenuDisplayEnabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_MenuDisplayEnabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_MenuDisplayMultiLineVisible(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_MenuDisplayMultiLineVisible(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_MenuDisplayMultiLineEnabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_MenuDisplayMultiLineEnabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_MenuFreeOnClickVisible(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_MenuFreeOnClickVisible(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_MenuFreeOnClickEnabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_MenuFreeOnClickEnabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_MemoryMaxMB(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_MemoryMaxPageMB(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_MemoryMaxvirtualMB(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_MemoryCurrentMB(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_MemoryCurrentPageMB(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_MemoryCurrentVirtualMB(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_DisplayMode(::DisplayModes* value) override;
    HRESULT STDMETHODCALLTYPE put_DisplayMode(::DisplayModes* value) override;
    HRESULT STDMETHODCALLTYPE get_BorderStyle(::BStyle* value) override;
    HRESULT STDMETHODCALLTYPE put_BorderStyle(::BStyle* value) override;
    HRESULT STDMETHODCALLTYPE get_Appearance(::FApp* value) override;
    HRESULT STDMETHODCALLTYPE put_Appearance(::FApp* value) override;
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_Interval(float* value) override;
    HRESULT STDMETHODCALLTYPE put_Interval(float* value) override;
    HRESULT STDMETHODCALLTYPE FreeUpMemory(::FreeMemModes* memAmmountMB) override;
    HRESULT STDMETHODCALLTYPE Refresh() override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR application, LPCOLESTR document) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(
        LONG verb, LPMSG message, IOleClientSite* site, LONG index, HWND parent, LPCRECT position) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* userType) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow (of IOleInPlaceObject and IOleInPlaceActiveObject)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;
    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* message) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDc,
        HDC drawDc, LPCRECTL bounds, LPCRECTL windowBounds, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
        ULONG_PTR continueArgument) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
        HDC targetDc, LOGPALETTE** colours) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // IPersist, IPersistStreamInit, IPersistPropertyBag: the control keeps nothing in its
    // host's saved form, so it saves and loads an empty state.
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** result) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** result) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** result) override;

private:
    DralithControl();
    ~DralithControl();
    HRESULT loadTypeInformation();
    HRESULT inPlaceActivate(IOleClientSite* site, HWND parent, LPCRECT position, bool activateUi);
    void uiActivate();
    HRESULT oleAdviseHolder(IOleAdviseHolder** holder);
    void viewChanged() override;
    void updateDetachedSize();

    module::ModuleReference moduleReference_;
    LONG references_ = 1;
    win32kit::ComPtr<ITypeLib> typeLibrary_;
    win32kit::ComPtr<ITypeInfo> dispatchInfo_;  // _DralithCTL as clients see it (dual, dispatch side)
    win32kit::ComPtr<ITypeInfo> interfaceInfo_; // its vtable side, which ITypeInfo::Invoke calls
    win32kit::ComPtr<IOleClientSite> clientSite_;
    win32kit::ComPtr<IOleInPlaceSite> inPlaceSite_;
    // Held while UI-active, to clear the active object again on UI deactivation.
    win32kit::ComPtr<IOleInPlaceFrame> frame_;
    win32kit::ComPtr<IOleInPlaceUIWindow> document_;
    win32kit::ComPtr<IOleAdviseHolder> oleAdvise_;
    win32kit::ComPtr<IAdviseSink> viewAdvise_;
    DWORD viewAdviseAspects_ = 0;
    DWORD viewAdviseFlags_ = 0;
    SIZEL extent_ {}; // HIMETRIC
    bool uiActive_ = false;
    EventConnectionPoint events_;
    std::unique_ptr<ControlHost> host_;
};

} // namespace dralith
