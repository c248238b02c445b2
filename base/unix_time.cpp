#include "unix_time.h"

#include <windows.h>

uint32_t CurrentUnixTime() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const uint64_t ticks = (uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    constexpr uint64_t kTicksPerSecond = 10000000;
    constexpr uint64_t kEpochOffset = 11644473600ull;  // seconds from 1601 to 1970
    return static_cast<uint32_t>(ticks / kTicksPerSecond - kEpochOffset);
}
