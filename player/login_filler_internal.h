#pragma once
// The login-form filler's two calls outside the browser's own objects: creating the shell's
// window collection and opening the settings key. Tests put fakes in their place.
#include <windows.h>

#include "base/settings.h"

struct LoginFillCalls {
    HRESULT(WINAPI* createInstance)(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object);
    RegKey (*openSettings)(REGSAM access, const char* keyPath);
};
void SetLoginFillCalls(const LoginFillCalls* calls);  // null restores the system's
