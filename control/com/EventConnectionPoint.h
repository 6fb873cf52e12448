#pragma once
// The connection point of the event interface __DralithCTL. The control raises no events, but
// containers look for the point and advise their sinks; it keeps them until they unadvise.
#include <ocidl.h>

#include "win32kit/ComPtr.h"
#include "control/core/SinkList.h"

namespace dralith {

class EventConnectionPoint final : public IConnectionPoint {
public:
    // Lives inside the control; its references count on the control.
    explicit EventConnectionPoint(IConnectionPointContainer& container)
        : container_(container)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return container_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return container_.Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** result) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** result) override;

    void releaseSinks() { sinks_.clear(); }

private:
    IConnectionPointContainer& container_;
    SinkList<win32kit::ComPtr<IUnknown>> sinks_;
};

// IEnumConnectionPoints over the one connection point.
HRESULT createConnectionPointEnumerator(IConnectionPoint& point, IEnumConnectionPoints** result);

} // namespace dralith
