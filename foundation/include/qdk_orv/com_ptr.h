// Small owners for clients: a reference to an interface and a text, each released with its owner.
#ifndef QDK_ORV_COM_PTR_H
#define QDK_ORV_COM_PTR_H

#include "unknown.h"

#include <string_view>
#include <utility>

namespace qdk {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& other) : p_(other.p_) { if (p_) p_->AddRef(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Takes over a reference the caller already holds.
    static ComPtr adopt(T* p)
    {
        ComPtr made;
        made.p_ = p;
        return made;
    }
    void reset()
    {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For an out parameter: releases what is held and hands out the slot.
    void** put()
    {
        reset();
        return reinterpret_cast<void**>(&p_);
    }

private:
    T* p_ = nullptr;
};

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::u16string_view text) : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr& other) : Bstr(other.view()) {}
    Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
    Bstr& operator=(Bstr other) noexcept
    {
        std::swap(b_, other.b_);
        return *this;
    }
    ~Bstr() { SysFreeString(b_); }

    BSTR get() const { return b_; }
    // For an out or by-reference parameter: the slot, keeping what it holds.
    BSTR* slot() { return &b_; }
    // For an out parameter: frees what is held first.
    BSTR* put()
    {
        SysFreeString(std::exchange(b_, nullptr));
        return &b_;
    }
    std::u16string_view view() const { return b_ ? std::u16string_view(b_, SysStringLen(b_)) : std::u16string_view(); }

private:
    BSTR b_ = nullptr;
};

}  // namespace qdk

#endif
