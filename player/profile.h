#pragma once
// The player profile: five values of the settings key moved between the key and the Player
// Settings dialog, and the dialog's two checks.
#include <windows.h>

// Fills the dialog's fields from the key; leaves them as they are when the key cannot be read.
void LoadPlayerProfile(HWND dialog);
// Stores the fields; false, with nothing stored, when the key cannot be opened.
bool SavePlayerProfile(HWND dialog);
// Whether the two password fields hold the same text, letter case included.
bool PasswordFieldsMatch(HWND dialog);
// Asks whether the edits should be saved when Save is enabled: IDYES or IDNO, else 0.
int AskSaveChanges(HWND dialog);
