#pragma once
// Move-only owners for Win32 handles and scoped GDI state, so no path leaks one.
#include "platform/win32/WinApi.h"

namespace platform::win32 {

template <typename Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle)
        : handle_(handle)
    {
    }
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(other.release())
    {
    }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::valid(handle_); }

    // Gives up ownership without freeing (the system already freed it, or a new owner takes it).
    Handle release()
    {
        Handle handle = handle_;
        handle_ = Traits::invalid();
        return handle;
    }

    void reset(Handle handle = Traits::invalid())
    {
        Handle old = handle_;
        handle_ = handle;
        if (Traits::valid(old))
            Traits::close(old);
    }

private:
    Handle handle_ = Traits::invalid();
};

template <typename H, typename Closer> struct NullIsInvalid {
    using Handle = H;
    static Handle invalid() { return nullptr; }
    static bool valid(Handle handle) { return handle != nullptr; }
    static void close(Handle handle) { Closer::close(handle); }
};

struct DestroyWindowCloser {
    static void close(HWND window) { DestroyWindow(window); }
};
struct DestroyMenuCloser {
    static void close(HMENU menu) { DestroyMenu(menu); }
};
struct DestroyIconCloser {
    static void close(HICON icon) { DestroyIcon(icon); }
};
struct DeleteObjectCloser {
    static void close(HGDIOBJ object) { DeleteObject(object); }
};
struct DeleteDcCloser {
    static void close(HDC dc) { DeleteDC(dc); }
};
struct FreeLibraryCloser {
    static void close(HMODULE module) { FreeLibrary(module); }
};

// Kernel handles use both null and INVALID_HANDLE_VALUE for "none" depending on the call.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static bool valid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { CloseHandle(handle); }
};

using UniqueWindow = UniqueHandle<NullIsInvalid<HWND, DestroyWindowCloser>>;
using UniqueMenu = UniqueHandle<NullIsInvalid<HMENU, DestroyMenuCloser>>;
using UniqueIcon = UniqueHandle<NullIsInvalid<HICON, DestroyIconCloser>>;
using UniqueFont = UniqueHandle<NullIsInvalid<HFONT, DeleteObjectCloser>>;
using UniqueBrush = UniqueHandle<NullIsInvalid<HBRUSH, DeleteObjectCloser>>;
using UniquePen = UniqueHandle<NullIsInvalid<HPEN, DeleteObjectCloser>>;
using UniqueBitmap = UniqueHandle<NullIsInvalid<HBITMAP, DeleteObjectCloser>>;
using UniqueMemoryDc = UniqueHandle<NullIsInvalid<HDC, DeleteDcCloser>>;
using UniqueModule = UniqueHandle<NullIsInvalid<HMODULE, FreeLibraryCloser>>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// Selects a GDI object into a DC for one scope and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object)
        : dc_(dc)
        , previous_(object ? SelectObject(dc, object) : nullptr)
    {
    }
    ~ScopedSelect()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's (or the screen's, for null) device context, released at the end of the scope.
class WindowDc {
public:
    explicit WindowDc(HWND window)
        : window_(window)
        , dc_(GetDC(window))
    {
    }
    ~WindowDc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window)
        : window_(window)
        , dc_(BeginPaint(window, &paint_))
    {
    }
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ {};
    HDC dc_;
};

} // namespace platform::win32
