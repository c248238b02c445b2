#pragma once
// One owner for every kind of handle the programs hold. Owned<Kind> keeps one value and
// releases it exactly once: when it leaves scope, is reset, or gets a new value. A kind says
// what its empty value is and how the value is released:
//
//   struct Kind { using Value = ...; static Value Empty(); static bool Holds(Value); static void Release(Value); };
//
// NullKind<V> is the kind whose empty value is null. Owners move but never copy.
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <type_traits>

template <class Kind>
class Owned {
public:
    using Value = typename Kind::Value;

    Owned() = default;
    explicit Owned(Value value) : value_(value) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : value_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~Owned() { reset(); }

    Value get() const { return value_; }
    Value operator->() const requires std::is_pointer_v<Value> { return value_; }
    explicit operator bool() const { return Kind::Holds(value_); }

    // Gives the value up without releasing it.
    Value release() {
        const Value value = value_;
        value_ = Kind::Empty();
        return value;
    }
    void reset(Value value = Kind::Empty()) {
        if (Kind::Holds(value_)) Kind::Release(value_);
        value_ = value;
    }
    // For a call that hands out a new value through a pointer; what was held is released first.
    Value* out() {
        reset();
        return &value_;
    }

private:
    Value value_ = Kind::Empty();
};

template <class V>
struct NullKind {
    using Value = V;
    static constexpr Value Empty() { return Value{}; }
    static bool Holds(Value value) { return value != Value{}; }
};

// CreateFileA and FindFirstFileA fail with INVALID_HANDLE_VALUE, not null.
struct InvalidValueKind {
    using Value = HANDLE;
    static Value Empty() { return INVALID_HANDLE_VALUE; }
    static bool Holds(Value value) { return value != INVALID_HANDLE_VALUE; }
};

struct FileKind : InvalidValueKind {
    static void Release(Value value) { CloseHandle(value); }
};
using FileHandle = Owned<FileKind>;

struct FileListingKind : InvalidValueKind {
    static void Release(Value value) { FindClose(value); }
};
using FileListing = Owned<FileListingKind>;

// A block of the process heap.
struct HeapKind : NullKind<void*> {
    static void Release(Value value) { HeapFree(GetProcessHeap(), 0, value); }
};
using HeapBlock = Owned<HeapKind>;

// Mappings, processes, threads, events: CloseHandle, null when absent.
struct KernelKind : NullKind<HANDLE> {
    static void Release(Value value) { CloseHandle(value); }
};
using KernelHandle = Owned<KernelKind>;

// A mutex this process holds: released, then closed.
struct HeldMutexKind : NullKind<HANDLE> {
    static void Release(Value value) {
        ReleaseMutex(value);
        CloseHandle(value);
    }
};
using HeldMutex = Owned<HeldMutexKind>;

struct ViewKind : NullKind<uint8_t*> {
    static void Release(Value value) { UnmapViewOfFile(value); }
};
using MappedView = Owned<ViewKind>;

struct RegKeyKind : NullKind<HKEY> {
    static void Release(Value value) { RegCloseKey(value); }
};
using RegKey = Owned<RegKeyKind>;

template <class Handle>
struct GdiKind : NullKind<Handle> {
    static void Release(Handle value) { DeleteObject(value); }
};
template <class Handle>
using GdiObject = Owned<GdiKind<Handle>>;

struct IconKind : NullKind<HICON> {
    static void Release(Value value) { DestroyIcon(value); }
};
using IconHandle = Owned<IconKind>;

struct MemoryDcKind : NullKind<HDC> {
    static void Release(Value value) { DeleteDC(value); }
};
using MemoryDc = Owned<MemoryDcKind>;

// A DC of the whole screen, from GetDC(nullptr).
struct ScreenDcKind : NullKind<HDC> {
    static void Release(Value value) { ReleaseDC(nullptr, value); }
};
using ScreenDc = Owned<ScreenDcKind>;

// An object selected into a DC: the previous one goes back in on release. Empty when the
// selection failed.
struct Selected {
    HDC dc;
    HGDIOBJ previous;
};
struct SelectionKind {
    using Value = Selected;
    static constexpr Value Empty() { return Selected{nullptr, nullptr}; }
    static bool Holds(Value value) { return value.previous != nullptr; }
    static void Release(Value value) { SelectObject(value.dc, value.previous); }
};
using Selection = Owned<SelectionKind>;
inline Selection Select(HDC dc, HGDIOBJ object) { return Selection({dc, SelectObject(dc, object)}); }

// A window the program made and must destroy itself (a tooltip owned by a dialog, for
// one). The system may have destroyed it already, with its owner.
struct WindowKind : NullKind<HWND> {
    static void Release(Value value) {
        if (IsWindow(value)) DestroyWindow(value);
    }
};
using OwnedWindow = Owned<WindowKind>;

// A multimedia timer's id. Its callbacks have ended once the release returns when the timer
// was made with TIME_KILL_SYNCHRONOUS.
struct TimerKind : NullKind<UINT> {
    static void Release(Value value) { timeKillEvent(value); }
};
using MultimediaTimer = Owned<TimerKind>;

// A hook of this thread's messages.
struct HookKind : NullKind<HHOOK> {
    static void Release(Value value) { UnhookWindowsHookEx(value); }
};
using HookHandle = Owned<HookKind>;

// The open clipboard; the value says whether OpenClipboard succeeded.
struct ClipboardKind : NullKind<bool> {
    static void Release(Value) { CloseClipboard(); }
};
using OpenedClipboard = Owned<ClipboardKind>;
inline OpenedClipboard OpenClipboardOf(HWND owner) { return OpenedClipboard(OpenClipboard(owner) != FALSE); }

// A locked global memory block; unlocked on release.
struct GlobalLockKind : NullKind<HGLOBAL> {
    static void Release(Value value) { GlobalUnlock(value); }
};
using GlobalLockOwner = Owned<GlobalLockKind>;
