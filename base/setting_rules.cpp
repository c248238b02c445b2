#include "setting_rules.h"

int32_t AcceptDwordValue(bool queryOk, uint32_t type, uint32_t dataLength, uint32_t value) {
    if (!queryOk || type != kTypeDword || dataLength != 4) return -1;
    return static_cast<int32_t>(value);
}
