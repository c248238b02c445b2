#include "fill_pipe.h"

#include <cwchar>

void FillPipeName(wchar_t (&name)[kFillPipeNameUnits]) {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    std::swprintf(name, kFillPipeNameUnits, L"\\\\.\\pipe\\TavrikRateline.Fill.%lu", static_cast<unsigned long>(session));
}
