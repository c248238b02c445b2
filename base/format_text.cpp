#include "format_text.h"

#include <cstdarg>
#include <cstdio>

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

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

int32_t ParseLeadingNumber(const char* text) {
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    uint32_t value = 0;  // unsigned, so an over-long number wraps without undefined behaviour
    for (; *p >= '0' && *p <= '9'; ++p) value = value * 10u + static_cast<uint32_t>(*p - '0');
    return static_cast<int32_t>(negative ? 0u - value : value);
}
