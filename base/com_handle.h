#pragma once
// Owners of what a COM call hands out: an interface pointer, a string, a variant. Each is
// released once when its owner leaves scope, so no early return of a walk can leak one.
#include <windows.h>
#include <oleauto.h>

#include "handle.h"
#include "system_library.h"

// oleaut32 is loaded at its first use: only the login filler needs it.
inline SystemFunctionRef<BSTR(WINAPI*)(const OLECHAR*)> g_sysAllocString{"oleaut32.dll", "SysAllocString"};
inline SystemFunctionRef<void(WINAPI*)(BSTR)> g_sysFreeString{"oleaut32.dll", "SysFreeString"};
inline SystemFunctionRef<HRESULT(WINAPI*)(VARIANT*)> g_variantClear{"oleaut32.dll", "VariantClear"};

template <class T>
struct ComKind : NullKind<T*> {
    static void Release(T* value) { value->Release(); }
};
template <class T>
using ComRef = Owned<ComKind<T>>;

// Queries from for the interface of into. A query that reports success without an object
// fails like any other (the pointer it left, null, is not kept).
template <class T>
bool QueryInto(IUnknown* from, REFIID iid, ComRef<T>& into) {
    return SUCCEEDED(from->QueryInterface(iid, reinterpret_cast<void**>(into.out()))) && into;
}

struct BstrKind : NullKind<BSTR> {
    static void Release(BSTR value) {
        if (const auto free = g_sysFreeString.get()) free(value);
    }
};
using Bstr = Owned<BstrKind>;

inline Bstr AllocateBstr(const OLECHAR* text) {
    const auto allocate = g_sysAllocString.get();
    return Bstr(allocate ? allocate(text) : nullptr);
}

// A variant is released by clearing it; an empty one (VT_EMPTY) holds nothing.
struct VariantKind {
    using Value = VARIANT;
    static Value Empty() { return VARIANT{}; }
    static bool Holds(const Value& value) { return value.vt != VT_EMPTY; }
    static void Release(Value value) {
        if (const auto clear = g_variantClear.get()) clear(&value);
    }
};
using Variant = Owned<VariantKind>;

// A VT_I4 variant: how a collection is asked for its item at a position.
inline Variant NumberVariant(LONG number) {
    VARIANT value{};
    value.vt = VT_I4;
    value.lVal = number;
    return Variant(value);
}
