#pragma once
// The named pipe through which the program tells the browsers' native messaging hosts that
// "Fill Member ID" ran: one per logon session, owned by the program, read by the hosts. It
// carries no data: each message only says "fill now", and a host reads the profile itself.
#include <windows.h>

constexpr size_t kFillPipeNameUnits = 64;
// The most hosts (one per running browser) the program serves at once.
constexpr DWORD kFillPipeInstances = 8;

// "\\.\pipe\TavrikRateline.Fill.<session>", for the caller's logon session.
void FillPipeName(wchar_t (&name)[kFillPipeNameUnits]);
