#pragma once
// The removal of the installed program, run from the uninstaller's dialog.
#include <windows.h>

namespace uninstall {

// Removes the shortcuts, the program files and the registry entries in their fixed order,
// showing each step's state in the dialog's step icons. On the first failure it reports
// (a message box owned by the dialog, unless the step icons could not be loaded) and
// returns false; what was removed before stays removed.
bool RunRemoval(HWND dialog);

// The program folder of the last removal, when it completed; empty otherwise.
const char* CompletedProgramFolder();

// Releases the step icons that RunRemoval loaded; the dialog calls it when it is destroyed.
void ReleaseStepIcons();

}  // namespace uninstall
