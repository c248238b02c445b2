// The stored password's shift. The input (to its first zero) is a typed password, and also
// a stored one. A typed text is admissible when it has no byte of code 254 (that byte is
// stored as 0 and ends the stored text): then the shift and the unshift give it back
// exactly. Likewise a stored text without a byte of code 2 survives the unshift.
#include <string>

#include "fuzz_input.h"
#include "player/password_shift.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string original(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
    const size_t firstUnstorable = original.find(static_cast<char>(kUnstorablePasswordByte));
    FUZZ_CHECK(PasswordIsStorable(original.c_str()) == (firstUnstorable == std::string::npos));

    std::string text = original;
    ShiftPasswordForStorage(text.data());
    for (size_t i = 0; i < text.size(); ++i)
        FUZZ_CHECK(static_cast<unsigned char>(text[i]) == static_cast<unsigned char>(original[i] + 2));
    // What the registry keeps is the text to its first zero.
    FUZZ_CHECK(std::strlen(text.c_str()) == (firstUnstorable == std::string::npos ? text.size() : firstUnstorable));
    UnshiftStoredPassword(text.data());
    if (firstUnstorable == std::string::npos) FUZZ_CHECK(text == original);

    text = original;
    UnshiftStoredPassword(text.data());
    const size_t firstTwo = original.find('\2');
    FUZZ_CHECK(std::strlen(text.c_str()) == (firstTwo == std::string::npos ? text.size() : firstTwo));
    if (firstTwo == std::string::npos) {
        ShiftPasswordForStorage(text.data());
        FUZZ_CHECK(text == original);
    }
    return 0;
}
