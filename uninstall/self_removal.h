#pragma once
// The uninstaller's removal of its own file, which cannot be deleted while it runs.
#include <windows.h>

namespace uninstall {

// After a completed removal (programFolder is the folder it emptied; empty after none): when
// this program runs from that folder, starts a copy of itself in the temporary folder that
// waits for this process to end, deletes the uninstaller's file and removes the folder, and
// the maker's folder that holds it, if nothing else is left in them. Started from anywhere else, it does nothing.
void HandOverSelfRemoval(const char* programFolder);

// The copy's part: true when the arguments are the hand-over's, once its work is done.
bool FinishSelfRemoval(const char* arguments);

}  // namespace uninstall
