#pragma once
// The settings key of the current user: typed reads and writes, and the window position.
#include <windows.h>
#include <cstdint>

#include "handle.h"
#include "product_facts.h"

constexpr const char* kSettingsKeyPath = RTLN_SETTINGS_KEY;

// Opens the settings key (under HKEY_CURRENT_USER) with the given rights; an empty
// RegKey when it does not exist or cannot be opened. Never creates it.
RegKey OpenSettings(REGSAM access, const char* keyPath = kSettingsKeyPath);

bool ReadSettingString(HKEY key, const char* name, char* buffer, DWORD bufferSize);
int32_t ReadSettingDword(HKEY key, const char* name);
bool WriteSettingDword(HKEY key, const char* name, int32_t value);
// A REG_SZ of exactly dataLength bytes: the text (cut to fit), its zero, and zero filler.
bool WriteSettingString(HKEY key, const char* name, const char* text, DWORD dataLength);

void SaveWindowPosition(HWND window, const char* keyPath = kSettingsKeyPath);
void RestoreWindowPosition(HWND window, const char* keyPath = kSettingsKeyPath);
