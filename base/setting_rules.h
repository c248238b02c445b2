#pragma once
// When a stored setting counts as present. Kept apart from the registry calls so the
// rules can be checked on their own.
#include <cstddef>
#include <cstdint>

constexpr uint32_t kTypeString = 1;  // REG_SZ
constexpr uint32_t kTypeDword = 4;   // REG_DWORD

// A string is present when the query succeeded, the type is a string and it has data,
// and the text with its terminating zero fits the buffer. Makes the buffer zero-terminated
// when the stored data lacks the zero but leaves room for it; empties it otherwise. Lengths
// count characters of the buffer's kind (the registry's UTF-16 units).
template <typename Char>
bool AcceptStringValue(bool queryOk, uint32_t type, uint32_t dataLength, Char* buffer, size_t bufferSize) {
    if (bufferSize == 0) return false;
    if (!queryOk || type != kTypeString || dataLength == 0 || dataLength > bufferSize) {
        buffer[0] = 0;
        return false;
    }
    if (buffer[dataLength - 1] != 0) {
        // Stored without its zero: only usable when the zero still fits.
        if (dataLength == bufferSize) {
            buffer[0] = 0;
            return false;
        }
        buffer[dataLength] = 0;
    }
    return true;
}

// A window's rectangle moved, not resized, wholly into a work area: a stored position from
// another display scale or from a monitor that is gone still opens the window in sight. A window
// larger than the area keeps its top left corner in it.
struct Box {
    int32_t left, top, right, bottom;
};
constexpr Box MoveInside(Box box, Box area) {
    const int32_t width = box.right - box.left;
    const int32_t height = box.bottom - box.top;
    const int32_t left = box.left + width > area.right ? area.right - width : box.left;
    const int32_t top = box.top + height > area.bottom ? area.bottom - height : box.top;
    const int32_t x = left < area.left ? area.left : left;
    const int32_t y = top < area.top ? area.top : top;
    return {x, y, x + width, y + height};
}

// A number is present when the query succeeded and it is a 4-byte REG_DWORD; else -1.
int32_t AcceptDwordValue(bool queryOk, uint32_t type, uint32_t dataLength, uint32_t value);
