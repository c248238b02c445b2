#pragma once
// Owners of what a COM call hands out: an interface pointer, a string, a variant. Each is
// released once when its owner leaves scope, so no early return of a walk can leak one.
#include <windows.h>
#include <oleauto.h>

#include "../base/system_library.h"

// oleaut32 is loaded at its first use: only the login filler needs it.
inline SystemFunctionRef<BSTR(WINAPI*)(const OLECHAR*)> g_sysAllocString{"oleaut32.dll", "SysAllocString"};
inline SystemFunctionRef<void(WINAPI*)(BSTR)> g_sysFreeString{"oleaut32.dll", "SysFreeString"};
inline SystemFunctionRef<HRESULT(WINAPI*)(VARIANT*)> g_variantClear{"oleaut32.dll", "VariantClear"};

inline BSTR AllocateBstr(const OLECHAR* text) {
    const auto allocate = g_sysAllocString.get();
    return allocate ? allocate(text) : nullptr;
}

inline void FreeBstr(BSTR text) {
    const auto free = g_sysFreeString.get();
    if (text && free) free(text);
}

template <class T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { Reset(); }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For a call that hands out a new reference; what was held is released first.
    T** out() {
        Reset();
        return &p_;
    }
    void Reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// Queries from for the interface of into. A query that reports success without an object
// fails like any other (the pointer it left, null, is not kept).
template <class T>
bool QueryInto(IUnknown* from, REFIID iid, ComRef<T>& into) {
    return SUCCEEDED(from->QueryInterface(iid, reinterpret_cast<void**>(into.out()))) && into;
}

class BstrOwner {
public:
    BstrOwner() = default;
    explicit BstrOwner(BSTR text) : text_(text) {}
    BstrOwner(const BstrOwner&) = delete;
    BstrOwner& operator=(const BstrOwner&) = delete;
    ~BstrOwner() { FreeBstr(text_); }
    BSTR get() const { return text_; }
    BSTR* out() {
        FreeBstr(text_);
        text_ = nullptr;
        return &text_;
    }

private:
    BSTR text_ = nullptr;
};

class VariantOwner {
public:
    VariantOwner() = default;  // all zero: VT_EMPTY
    // A VT_I4 variant: how a collection is asked for its item at a position.
    explicit VariantOwner(LONG number) : VariantOwner() {
        value_.vt = VT_I4;
        value_.lVal = number;
    }
    VariantOwner(const VariantOwner&) = delete;
    VariantOwner& operator=(const VariantOwner&) = delete;
    ~VariantOwner() {
        const auto clear = g_variantClear.get();
        if (value_.vt != VT_EMPTY && clear) clear(&value_);
    }
    VARIANT& get() { return value_; }

private:
    VARIANT value_{};
};
