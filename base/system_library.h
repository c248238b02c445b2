#pragma once
// Functions of system DLLs that the program needs only on a member's command (following a
// link, filling the login form): their DLLs are loaded at the first use, so that opening the
// window does not wait for them.
#include <windows.h>

// The function of the system DLL (loaded from the system folder, never from elsewhere on the
// search path); null when the DLL or the function cannot be found.
void* SystemFunction(const char* dll, const char* name);

// One such function, looked up at its first use. Constant-initialised, so a global of this
// type needs no construction at start-up; used on the UI thread only.
template <class Function>
class SystemFunctionRef {
public:
    constexpr SystemFunctionRef(const char* dll, const char* name) : dll_(dll), name_(name) {}
    Function get() {
        if (!looked_) function_ = reinterpret_cast<Function>(SystemFunction(dll_, name_));
        looked_ = true;
        return function_;
    }

private:
    const char* dll_;
    const char* name_;
    Function function_ = nullptr;
    bool looked_ = false;
};
