#pragma once
// The data files' records are runs of little-endian 32-bit fields, stored oldest first: the
// field helpers and the newest-first walk that both record formats share.
#include <cstddef>
#include <cstdint>
#include <span>

inline void PutInt32(int32_t value, uint8_t* out) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

inline int32_t GetInt32(const uint8_t* in) {
    return static_cast<int32_t>(uint32_t{in[0]} | uint32_t{in[1]} << 8 | uint32_t{in[2]} << 16 | uint32_t{in[3]} << 24);
}

// Hands each whole record of the bytes to visit, the last (newest) first; a shorter tail is no
// record. visit returns false to stop; the result is false when it stopped.
template <typename Visit>
bool VisitRecordsNewestFirst(std::span<const uint8_t> bytes, size_t recordSize, Visit visit) {
    for (size_t index = bytes.size() / recordSize; index-- > 0;)
        if (!visit(bytes.data() + index * recordSize)) return false;
    return true;
}
