#pragma once
// Tinting of the background tile: each channel keeps 40% of the tile and takes half of
// the button-face colour, so the pattern follows the colour scheme and stays light.
#include <cstdint>

constexpr uint8_t TintChannel(unsigned tile, unsigned face) {
    return static_cast<uint8_t>(tile - (60 * tile) / 100 + face - (50 * face) / 100);
}

// Tints a run of 24-bit pixels in place (blue, green, red triples) with the face colour.
inline void TintPixels(uint8_t* bytes, unsigned count, uint8_t faceRed, uint8_t faceGreen, uint8_t faceBlue) {
    for (unsigned i = 0; i + 2 < count; i += 3) {
        bytes[i] = TintChannel(bytes[i], faceBlue);
        bytes[i + 1] = TintChannel(bytes[i + 1], faceGreen);
        bytes[i + 2] = TintChannel(bytes[i + 2], faceRed);
    }
}
