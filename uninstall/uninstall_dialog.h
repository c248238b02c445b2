#pragma once
// The uninstaller's one dialog (template 101): three steps with status icons, "&Uninstall"
// and "&Cancel" (which becomes "&OK" once the removal is complete).
#include <windows.h>

#include "product_facts.h"

namespace uninstall {

// The caption and error icon of every report; the running main program's message.
constexpr const char* kWarningCaption = "Warning!";
constexpr const char* kMainProgramRuns =
    RTLN_NAME_AND_VERSION " loaded.\nBefore uninstalling necessary to close " RTLN_NAME_AND_VERSION ".";

// True (after telling the user, in a box owned by no window) while the main program runs.
bool RefuseWhileMainProgramRuns();

// Runs the dialog modally with no owner; returns when it has closed.
void ShowUninstallDialog(HINSTANCE instance);

}  // namespace uninstall
