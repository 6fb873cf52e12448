#pragma once
// An owning COM pointer: AddRef on copy, Release on destruction; for the control and the
// bar's accessibility objects alike.
#include <unknwn.h>

#include <utility>

namespace win32kit {

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* pointer)
        : pointer_(pointer)
    { // takes a new reference
        if (pointer_)
            pointer_->AddRef();
    }
    ComPtr(const ComPtr& other)
        : ComPtr(other.pointer_)
    {
    }
    ComPtr(ComPtr&& other) noexcept
        : pointer_(std::exchange(other.pointer_, nullptr))
    {
    }
    ~ComPtr() { reset(); }
    // Takes over a reference the caller already holds (a new object, an out-parameter).
    static ComPtr adopt(T* pointer)
    {
        ComPtr result;
        result.pointer_ = pointer;
        return result;
    }

    ComPtr& operator=(ComPtr other) noexcept
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
    // Hands the reference to the caller (an out-parameter of a COM method).
    T* detach() { return std::exchange(pointer_, nullptr); }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    template <class U> ComPtr<U> query(REFIID iid) const
    {
        ComPtr<U> result;
        if (pointer_)
            pointer_->QueryInterface(iid, reinterpret_cast<void**>(result.put()));
        return result;
    }

private:
    T* pointer_ = nullptr;
};

} // namespace win32kit
