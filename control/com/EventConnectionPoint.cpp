#include "control/com/EventConnectionPoint.h"

#include <olectl.h>

#include "control/com/Dralith_h.h"
#include "win32kit/Guarded.h"
#include "control/com/Module.h"

namespace dralith {

HRESULT STDMETHODCALLTYPE EventConnectionPoint::QueryInterface(REFIID iid, void** result)
{
    if (!result)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *result = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE EventConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = DIID___DralithCTL;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** result)
{
    if (!result)
        return E_POINTER;
    *result = &container_;
    container_.AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    return win32kit::guarded([&] {
        *cookie = sinks_.add(win32kit::ComPtr<IUnknown>(sink));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE EventConnectionPoint::Unadvise(DWORD cookie)
{
    // The sink is released after it left the list: its release may call back into this point.
    return sinks_.remove(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
}

HRESULT STDMETHODCALLTYPE EventConnectionPoint::EnumConnections(IEnumConnections** result)
{
    if (result)
        *result = nullptr;
    return E_NOTIMPL;
}

namespace {

class ConnectionPointEnumerator final : public IEnumConnectionPoints {
public:
    ConnectionPointEnumerator(IConnectionPoint& point, ULONG position)
        : point_(&point)
        , position_(position)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        if (!result)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumConnectionPoints)) {
            *result = static_cast<IEnumConnectionPoints*>(this);
            AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override
    {
        if (!points)
            return E_POINTER;
        ULONG given = 0;
        if (count > 0 && position_ == 0) {
            points[0] = point_.get();
            point_->AddRef();
            position_ = 1;
            given = 1;
        }
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        if (count == 0)
            return S_OK;
        const bool skipped = position_ == 0;
        position_ = 1;
        return skipped && count == 1 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** result) override
    {
        if (!result)
            return E_POINTER;
        return win32kit::guarded([&] {
            *result = new ConnectionPointEnumerator(*point_.get(), position_);
            return S_OK;
        });
    }

private:
    ~ConnectionPointEnumerator() = default;

    module::ModuleReference moduleReference_;
    win32kit::ComPtr<IConnectionPoint> point_;
    ULONG position_;
    LONG references_ = 1;
};

} // namespace

HRESULT createConnectionPointEnumerator(IConnectionPoint& point, IEnumConnectionPoints** result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return win32kit::guarded([&] {
        *result = new ConnectionPointEnumerator(point, 0);
        return S_OK;
    });
}

} // namespace dralith
