#pragma once
// The host's end of the link with the program: a thread that keeps connecting to the program's
// fill pipe and calls back once for each "Fill Member ID".
#include <windows.h>

using FillRequested = void (*)();

// Starts the thread; false when it cannot be started.
bool StartProgramLink(FillRequested onFill);

// Whether the pipe's server is the program of the given full path (the rtln.exe beside the
// host), and not another process that took the pipe's name.
bool PipeServedBy(HANDLE pipe, const wchar_t* program);
