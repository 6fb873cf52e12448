#pragma once
// Move-only owners for Win32 handles: each frees its handle exactly once, on every path.
#include <windows.h>

#include <utility> // std::move, for the owners are moved rather than copied

namespace win32kit {

// Traits::Handle is the handle type; Traits::invalid() is "no handle", Traits::valid() tells a
// live one and Traits::close() frees it.
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

    // The new handle is in place before the old one is freed, so a close that re-enters (a
    // window's destruction sending messages) never sees a dangling handle.
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
// For DCs from CreateCompatibleDC or CreateDC; GetDC's are released by WindowDc (DcScopes.h).
struct DeleteDcCloser {
    static void close(HDC dc) { DeleteDC(dc); }
};
struct FreeLibraryCloser {
    static void close(HMODULE module) { FreeLibrary(module); }
};
struct RegCloseKeyCloser {
    static void close(HKEY key) { RegCloseKey(key); }
};
struct UnhookWinEventCloser {
    static void close(HWINEVENTHOOK hook) { UnhookWinEvent(hook); }
};

// Kernel handles use both null and INVALID_HANDLE_VALUE for "none", depending on the call.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static bool valid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { CloseHandle(handle); }
};

using UniqueWindow = UniqueHandle<NullIsInvalid<HWND, DestroyWindowCloser>>;
using UniqueMenu = UniqueHandle<NullIsInvalid<HMENU, DestroyMenuCloser>>;
using UniqueIcon = UniqueHandle<NullIsInvalid<HICON, DestroyIconCloser>>;
using UniqueGdiObject = UniqueHandle<NullIsInvalid<HGDIOBJ, DeleteObjectCloser>>;
using UniqueFont = UniqueHandle<NullIsInvalid<HFONT, DeleteObjectCloser>>;
using UniqueBrush = UniqueHandle<NullIsInvalid<HBRUSH, DeleteObjectCloser>>;
using UniquePen = UniqueHandle<NullIsInvalid<HPEN, DeleteObjectCloser>>;
using UniqueBitmap = UniqueHandle<NullIsInvalid<HBITMAP, DeleteObjectCloser>>;
using UniqueMemoryDc = UniqueHandle<NullIsInvalid<HDC, DeleteDcCloser>>;
using UniqueModule = UniqueHandle<NullIsInvalid<HMODULE, FreeLibraryCloser>>;
using UniqueRegKey = UniqueHandle<NullIsInvalid<HKEY, RegCloseKeyCloser>>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueWinEventHook = UniqueHandle<NullIsInvalid<HWINEVENTHOOK, UnhookWinEventCloser>>;

} // namespace win32kit
