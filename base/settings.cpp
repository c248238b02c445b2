#include "settings.h"

#include <cwchar>
#include <iterator>

#include "setting_rules.h"

namespace {

constexpr DWORD kLongestStoredString = kPathReadUnits;

// Value names are ASCII.
void WideName(const char* name, wchar_t (&wide)[32]) {
    size_t i = 0;
    for (; name[i] && i + 1 < std::size(wide); ++i) wide[i] = static_cast<unsigned char>(name[i]);
    wide[i] = 0;
}

}  // namespace

RegKey OpenSettings(REGSAM access, const char* keyPath) {
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, access, key.out()) != ERROR_SUCCESS) *key.out() = nullptr;
    return key;
}

bool ReadSettingText(HKEY key, const char* name, wchar_t* wide, DWORD units) {
    if (units == 0) return false;
    wide[0] = 0;
    wchar_t wideName[32];
    WideName(name, wideName);
    DWORD type = 0;
    DWORD length = units * sizeof(wchar_t);
    const bool ok =
        RegQueryValueExW(key, wideName, nullptr, &type, reinterpret_cast<BYTE*>(wide), &length) == ERROR_SUCCESS;
    return AcceptStringValue(ok, type, length / sizeof(wchar_t), wide, units);
}

bool ReadSettingString(HKEY key, const char* name, char* text, DWORD units) {
    wchar_t wide[kLongestStoredString];
    text[0] = 0;
    if (units > std::size(wide) || !ReadSettingText(key, name, wide, units)) return false;
    return WideCharToMultiByte(CP_ACP, 0, wide, -1, text, static_cast<int>(TextBytes(units)), nullptr, nullptr) > 0;
}

bool WriteSettingText(HKEY key, const char* name, const wchar_t* wide, DWORD units) {
    wchar_t data[kLongestStoredString] = {};
    const size_t length = std::wcslen(wide);
    if (units > std::size(data) || length >= units) return false;
    std::wmemcpy(data, wide, length);
    wchar_t wideName[32];
    WideName(name, wideName);
    return RegSetValueExW(key, wideName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), units * sizeof(wchar_t)) ==
           ERROR_SUCCESS;
}

bool WriteSettingString(HKEY key, const char* name, const char* text, DWORD units) {
    wchar_t wide[kLongestStoredString];
    return FitsSetting(text, units) && MultiByteToWideChar(CP_ACP, 0, text, -1, wide, static_cast<int>(units)) > 0 &&
           WriteSettingText(key, name, wide, units);
}

bool FitsSetting(const char* text, DWORD units) {
    const int needed = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);  // with the zero
    return needed > 0 && static_cast<DWORD>(needed) <= units && units <= kLongestStoredString;
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

ProfileFacts ReadProfileFacts(HKEY key) {
    wchar_t text[kPathReadUnits];
    const auto stored = [&](const char* name, DWORD units) {
        return ReadSettingText(key, name, text, units) && text[0];
    };
    ProfileFacts facts{};
    facts.hasLogin = stored(kMemberIdValue, kProfileTextUnits) || stored(kSiteIdValue, kProfileTextUnits) ||
                     stored(kPasswordValue, kProfileTextUnits);
    facts.hasServicePage = stored(kServicePageValue, kPathReadUnits);
    facts.ticketMaximum = ReadSettingDword(key, kTicketMaximumValue);
    return facts;
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
    RegSetValueExA(key.get(), kWindowPositionValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(corner),
                   sizeof corner);
}

void RestoreWindowPosition(HWND window, const char* keyPath) {
    RegKey key = OpenSettings(KEY_READ, keyPath);
    if (!key) return;
    int32_t corner[2] = {0, 0};
    DWORD length = sizeof corner;
    if (RegQueryValueExA(key.get(), kWindowPositionValue, nullptr, nullptr, reinterpret_cast<BYTE*>(corner), &length) !=
        ERROR_SUCCESS)
        return;
    // A shorter value never comes from this program; using it would mean reading bytes
    // that were not stored, so it is ignored like a missing one.
    if (length != sizeof corner) return;
    // The work area of the monitor nearest to where the window would stand.
    RECT now;
    if (!GetWindowRect(window, &now)) return;
    const RECT stored = {corner[0], corner[1], corner[0] + (now.right - now.left), corner[1] + (now.bottom - now.top)};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&stored, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const Box placed = MoveInside({stored.left, stored.top, stored.right, stored.bottom},
                                  {work.left, work.top, work.right, work.bottom});
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOSENDCHANGING);
}
