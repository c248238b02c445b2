#include "settings.h"

#include <cstring>

#include "format_text.h"
#include "setting_rules.h"

namespace {

constexpr DWORD kLongestStoredString = 260;  // "Clicks4U"

}  // namespace

RegKey OpenSettings(REGSAM access, const char* keyPath) {
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, access, key.out()) != ERROR_SUCCESS) *key.out() = nullptr;
    return key;
}

bool ReadSettingString(HKEY key, const char* name, char* buffer, DWORD bufferSize) {
    if (bufferSize == 0) return false;
    buffer[0] = 0;
    DWORD type = 0;
    DWORD length = bufferSize;
    const bool ok =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &length) == ERROR_SUCCESS;
    return AcceptStringValue(ok, type, length, buffer, bufferSize);
}

int32_t ReadSettingDword(HKEY key, const char* name) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD length = sizeof value;
    const bool ok =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &length) == ERROR_SUCCESS;
    return AcceptDwordValue(ok, type, length, value);
}

bool WriteSettingDword(HKEY key, const char* name, int32_t value) {
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

bool WriteSettingString(HKEY key, const char* name, const char* text, DWORD dataLength) {
    char data[kLongestStoredString] = {};
    if (dataLength == 0 || dataLength > sizeof data) return false;
    FormatText(data, dataLength, "%s", text);  // as much as fits, zero-terminated
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), dataLength) == ERROR_SUCCESS;
}

void SaveWindowPosition(HWND window, const char* keyPath) {
    if (IsIconic(window)) return;  // a minimised window keeps the last stored position
    RegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        key.out(), nullptr) != ERROR_SUCCESS)
        return;
    RECT rect;
    if (!GetWindowRect(window, &rect)) return;
    int32_t corner[2] = {rect.left, rect.top};
    RegSetValueExA(key.get(), "WPos", 0, REG_BINARY, reinterpret_cast<const BYTE*>(corner), sizeof corner);
}

void RestoreWindowPosition(HWND window, const char* keyPath) {
    RegKey key = OpenSettings(KEY_READ, keyPath);
    if (!key) return;
    int32_t corner[2] = {0, 0};
    DWORD length = sizeof corner;
    if (RegQueryValueExA(key.get(), "WPos", nullptr, nullptr, reinterpret_cast<BYTE*>(corner), &length) !=
        ERROR_SUCCESS)
        return;
    // A shorter value never comes from this program; using it would mean reading bytes
    // that were not stored, so it is ignored like a missing one.
    if (length != sizeof corner) return;
    RECT workArea;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0)) return;
    if (corner[0] < workArea.right && corner[1] < workArea.bottom)
        SetWindowPos(window, nullptr, corner[0], corner[1], 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOSENDCHANGING);
}
