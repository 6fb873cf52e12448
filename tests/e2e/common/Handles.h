#pragma once
// Owning wrappers for the Win32 handles the probes create, so no path leaks one.
#include <windows.h>

#include <utility>

namespace e2e {

template <typename Traits> class Unique {
public:
    using Handle = typename Traits::Handle;
    Unique() = default;
    explicit Unique(Handle handle)
        : handle_(handle)
    {
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::empty()))
    {
    }
    Unique& operator=(Unique&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, Traits::empty()));
        return *this;
    }
    ~Unique() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::empty(); }
    void reset(Handle handle = Traits::empty())
    {
        if (handle_ != Traits::empty())
            Traits::close(handle_);
        handle_ = handle;
    }
    Handle release() { return std::exchange(handle_, Traits::empty()); }

private:
    Handle handle_ = Traits::empty();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { CloseHandle(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle empty() { return nullptr; }
    static void close(Handle h)
    {
        if (IsWindow(h))
            DestroyWindow(h);
    }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DeleteDC(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DestroyMenu(h); }
};

using UniqueHandle = Unique<KernelHandleTraits>;
using UniqueWindow = Unique<WindowTraits>;
using UniqueGdiObject = Unique<GdiObjectTraits>;
using UniqueMemoryDc = Unique<MemoryDcTraits>;
using UniqueMenu = Unique<MenuTraits>;

// A DC obtained with GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window)
        : window_(window)
        , dc_(GetDC(window))
    {
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for one scope.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object)
        : dc_(dc)
        , previous_(SelectObject(dc, object))
    {
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace e2e
