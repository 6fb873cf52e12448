#pragma once
// An owning COM pointer: AddRef on copy, Release on destruction.
#include "platform/win32/WinApi.h"

#include <unknwn.h>

#include <utility>

namespace platform::win32 {

template <class T> class ComPointer {
public:
    ComPointer() = default;
    // Adopts a reference the caller already holds (a new object, an out-parameter).
    static ComPointer adopt(T* pointer)
    {
        ComPointer result;
        result.pointer_ = pointer;
        return result;
    }
    ComPointer(const ComPointer& other)
        : pointer_(other.pointer_)
    {
        if (pointer_)
            pointer_->AddRef();
    }
    ComPointer(ComPointer&& other) noexcept
        : pointer_(std::exchange(other.pointer_, nullptr))
    {
    }
    ~ComPointer() { reset(); }
    ComPointer& operator=(ComPointer other) noexcept
    {
        std::swap(pointer_, other.pointer_);
        return *this;
    }

    void reset()
    {
        if (T* old = std::exchange(pointer_, nullptr))
            old->Release();
    }
    // For out-parameters: releases what is held and hands out the slot.
    T** put()
    {
        reset();
        return &pointer_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};

} // namespace platform::win32
