#pragma once
// Stops exceptions at a COM method boundary and turns them into an HRESULT.
#include <windows.h>

#include <new>

namespace win32kit {

template <class Body> HRESULT guarded(Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace win32kit
