#include "fill_pipe.h"

#include <cwchar>

void FillPipeName(wchar_t (&name)[kFillPipeNameUnits]) {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    // Written by hand: a formatting function of the C runtime would bring its whole printf along.
    constexpr const wchar_t* kPrefix = L"\\\\.\\pipe\\TavrikRateline.Fill.";
    wchar_t digits[12];
    int count = 0;
    do digits[count++] = static_cast<wchar_t>(L'0' + session % 10);
    while ((session /= 10) != 0);
    size_t at = std::wcslen(kPrefix);
    std::wmemcpy(name, kPrefix, at);
    while (count > 0) name[at++] = digits[--count];
    name[at] = L'\0';
}
