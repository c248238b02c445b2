#include "setting_rules.h"

bool AcceptStringValue(bool queryOk, uint32_t type, uint32_t dataLength, char* buffer, size_t bufferSize) {
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

int32_t AcceptDwordValue(bool queryOk, uint32_t type, uint32_t dataLength, uint32_t value) {
    if (!queryOk || type != kTypeDword || dataLength != 4) return -1;
    return static_cast<int32_t>(value);
}
