#pragma once
// Every value of the settings key that rtln.exe reads, each in the shapes a damaged profile or
// another program could leave: valid, wrong type, wrong size, empty, absent.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace endurance {

using Bytes = std::vector<unsigned char>;
constexpr DWORD kAbsent = 0xFFFFFFFF;  // the value is not written at all

struct Shape {
    DWORD type;
    Bytes data;
};

struct StoredValue {
    const char* name;
    std::vector<Shape> shapes;
};

inline Bytes Little(std::initializer_list<uint32_t> words) {
    Bytes bytes;
    for (uint32_t word : words)
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(word >> (8 * i)));
    return bytes;
}

inline Bytes Text(const std::string& text, bool zero = true) {
    Bytes bytes(text.begin(), text.end());
    if (zero) bytes.push_back(0);
    return bytes;
}

inline std::vector<StoredValue> StoredValues() {
    const std::vector<Shape> wrongNumbers = {
        {REG_DWORD, {}},
        {REG_DWORD, {7, 0}},
        {REG_DWORD, Bytes(8, 7)},
        {REG_QWORD, Bytes(8, 1)},
        {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 1}},
        {REG_BINARY, Little({1})},
        {REG_SZ, Text("5")},
        {kAbsent, {}},
    };
    auto number = [&](const char* name, std::initializer_list<uint32_t> valid) {
        StoredValue value{name, {}};
        for (uint32_t v : valid) value.shapes.push_back({REG_DWORD, Little({v})});
        value.shapes.insert(value.shapes.end(), wrongNumbers.begin(), wrongNumbers.end());
        return value;
    };
    // `room` is the reader's buffer; the program writes 64 bytes (260 for "Clicks4U").
    auto text = [](const char* name, const std::string& valid, size_t room, size_t written) {
        Bytes asWritten = Text(valid);
        asWritten.resize(written, 0);
        return StoredValue{name,
                           {{REG_SZ, Text(valid)},
                            {REG_SZ, asWritten},
                            {REG_SZ, Text("")},
                            {REG_SZ, {}},
                            {REG_SZ, Text(std::string(room - 1, 'k'))},
                            {REG_SZ, Text(std::string(room, 'k'))},
                            {REG_SZ, Text(std::string(room + 300, 'k'))},
                            {REG_SZ, Text(std::string(room, 'k'), false)},
                            {REG_EXPAND_SZ, Text("%TEMP%")},
                            {REG_MULTI_SZ, Text(std::string("a\0b\0", 4))},
                            {REG_BINARY, Text(valid)},
                            {REG_DWORD, Little({7})},
                            {kAbsent, {}}}};
    };
    const uint32_t farLeft = 0x80000000u;  // INT32_MIN
    return {
        number("ShowBan", {0, 1, 7, 0xFFFFFFFF}),
        number("nSites", {0, 5, 0x7FFFFFFF, 0xFFFFFFFF}),
        number("nTickets", {0, 60, 70000, 0xFFFFFFFF}),
        text("MemberID", "member@example.com", 64, 64),
        text("SiteID", "X01234", 64, 64),
        text("Password", "sbuuyqtf", 64, 64),
        text("Clicks4U", "C:\\nowhere\\page.html", 261, 260),
        {"WPos",
         {{REG_BINARY, Little({64, 48})},
          {REG_BINARY, Little({static_cast<uint32_t>(-20), static_cast<uint32_t>(-20)})},
          {REG_BINARY, Little({5000, 5000})},
          {REG_BINARY, Little({farLeft, farLeft})},
          {REG_DWORD, Little({64, 48})},
          {REG_SZ, Little({64, 48})},
          {REG_BINARY, Little({64})},
          {REG_BINARY, Bytes(7, 1)},
          {REG_BINARY, Bytes(9, 1)},
          {REG_BINARY, Little({64, 48, 0})},
          {REG_BINARY, {}},
          {kAbsent, {}}}},
    };
}

}  // namespace endurance
