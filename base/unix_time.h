#pragma once
#include <cstdint>

// The present time in seconds since 1970-01-01 00:00:00 UTC, low 32 bits: the programs'
// stored stamps are 32-bit, and ages are taken as wrapping differences against this.
uint32_t CurrentUnixTime();
