// The stored password's shift. The first byte picks the system's code page (1252, or none);
// the rest, taken two bytes a unit, is a typed password and also a stored one. A typed text
// is stored so that it reads back exactly, or refused at one of its characters; any stored
// text reads back as some text, within the buffer.
#include <string>

#include "fuzz_input.h"
#include "player/password_shift.h"
#include "tests/native/code_page_1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const LegacyCodePage* legacy = input.TakeByte() & 1 ? &cp1252::kCodePage : nullptr;
    PasswordText original;
    while (input.restSize() >= 2 && original.length < 63) {
        const char16_t unit = static_cast<char16_t>(input.TakeByte() | input.TakeByte() << 8);
        if (unit == 0) break;
        original.units[original.length++] = unit;
    }

    PasswordText stored, loaded;
    size_t refused = 0;
    if (ShiftPasswordForStorage(original, legacy, stored, &refused)) {
        FUZZ_CHECK(stored.length < kPasswordUnits && stored.units[stored.length] == 0);
        UnshiftStoredPassword(stored, legacy, loaded);
        FUZZ_CHECK(loaded.length == original.length &&
                   std::u16string(loaded.units, loaded.length) == std::u16string(original.units, original.length));
    } else {
        FUZZ_CHECK(refused < original.length && stored.length == 0);
    }

    UnshiftStoredPassword(original, legacy, loaded);
    FUZZ_CHECK(loaded.length < kPasswordUnits && loaded.units[loaded.length] == 0);
    return 0;
}
