#pragma once
// printf-style formatting into a fixed buffer, always zero-terminated. The programs format
// only integers and texts, so on Windows this uses the system C library's formatter rather
// than the compiler runtime's full one (which would bring floating-point code into the exe).
#include <cstddef>
#include <cstdint>

// Returns the length written, or -1 when the text did not fit (the buffer then holds as
// much as fitted).
int FormatText(char* out, size_t size, const char* format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// The leading signed decimal number of the text: leading blanks and one sign allowed,
// parsing stops at the first non-digit, no digits give 0. Values that do not fit in 32
// bits wrap instead of overflowing. Counter fields and the ticket maximum are read so.
int32_t ParseLeadingNumber(const char* text);
