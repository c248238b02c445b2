#pragma once
// What a running process holds, read from outside: kernel handles, GDI objects and windows.
#include <windows.h>

#include <string>

namespace endurance {

struct ProcessCounts {
    long handles = -1;          // kernel handles, from the system's handle list; -1 when unreadable
    long gdiObjects = -1;       // live entries of the process's GDI handle table; -1 when unreadable
    long windows = -1;          // windows of the process, top-level and child (USER objects)
    long reportedHandles = -1;  // GetProcessHandleCount, as the system reports it
    long guiGdi = -1;           // GetGuiResources(GR_GDIOBJECTS)
    long guiUser = -1;          // GetGuiResources(GR_USEROBJECTS)
};

// `process` needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ (a created process's own handle
// has them); `processId` names its windows.
ProcessCounts CountProcessObjects(HANDLE process, DWORD processId);

std::string Describe(const ProcessCounts& counts);

}  // namespace endurance
