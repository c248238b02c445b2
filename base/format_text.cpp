#include "format_text.h"

#include <cstdarg>
#include <cstdio>

int FormatText(char* out, size_t size, const char* format, ...) {
    if (size == 0) return -1;
    va_list args;
    va_start(args, format);
#ifdef _WIN32
    const int written = _vsnprintf(out, size, format, args);
#else
    const int written = std::vsnprintf(out, size, format, args);
#endif
    va_end(args);
    out[size - 1] = 0;
    return written >= 0 && static_cast<size_t>(written) < size ? written : -1;
}
