#pragma once
// What every fuzz target shares: a reader that takes fixed-size values from the front of
// the input, and the check that stops the run when a property fails.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A failed property is a finding: say which and abort, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // The next little-endian value, or 0 for the bytes the input lacks.
    uint32_t Take32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= uint32_t{TakeByte()} << (8 * i);
        return value;
    }
    int32_t TakeInt32() { return static_cast<int32_t>(Take32()); }
    uint8_t TakeByte() {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }

    // What is left, in the fuzzer's own buffer (its end is where AddressSanitizer watches).
    const uint8_t* rest() const { return data_; }
    size_t restSize() const { return size_; }

private:
    const uint8_t* data_;
    size_t size_;
};
