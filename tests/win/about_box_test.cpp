// The About box's resources as the program carries them: its sound and its licence text.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "resources/rtln_ids.h"

namespace {

std::vector<unsigned char> ResourceBytes(int id, const char* type) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!found) return {};
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    return data ? std::vector<unsigned char>(data, data + SizeofResource(module, found)) : std::vector<unsigned char>{};
}

// A little-endian field of 2 or 4 bytes.
uint32_t Field(const std::vector<unsigned char>& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, width);
    return value;
}

}  // namespace

TEST(AboutBox, SoundIsA37310ByteWaveOf8BitMonoAt22050) {
    const std::vector<unsigned char> wave = ResourceBytes(IDR_ABOUT_SOUND, "WAVE");
    ASSERT_EQ(wave.size(), 37310u);
    EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
    EXPECT_EQ(Field(wave, 4, 4), 37302u);
    EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
    const struct {
        const char* field;
        size_t at;
        unsigned width;
        uint32_t expected;
    } fields[] = {
        {"format chunk size", 16, 4, 16},
        {"PCM", 20, 2, 1},
        {"mono", 22, 2, 1},
        {"samples per second", 24, 4, 22050},
        {"bytes per second", 28, 4, 22050},
        {"block align", 32, 2, 1},
        {"bits per sample", 34, 2, 8},
        {"data bytes (1.69 s)", 40, 4, 37266},
    };
    for (const auto& f : fields) EXPECT_EQ(Field(wave, f.at, f.width), f.expected) << f.field;
    EXPECT_EQ(std::string(wave.begin() + 36, wave.begin() + 40), "data");
}

// Under the type named "RT_RCDATA"; the numbered raw-data type must not hold it.
TEST(AboutBox, LicenceTextHasCrLfBreaksAndEndsWithOneZero) {
    EXPECT_TRUE(ResourceBytes(IDR_LICENSE_TEXT, MAKEINTRESOURCEA(10)).empty());
    const std::vector<unsigned char> text = ResourceBytes(IDR_LICENSE_TEXT, "RT_RCDATA");
    ASSERT_GT(text.size(), 100u);
    EXPECT_EQ(text.back(), 0);
    int breaks = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        ASSERT_NE(text[i], 0) << "a zero inside the text at " << i;
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
            ++breaks;
        }
        if (text[i] == '\r') {
            ASSERT_EQ(text[i + 1], '\n') << "bare CR at " << i;
        }
    }
    EXPECT_GE(breaks, 10);
}
