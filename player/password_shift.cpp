#include "password_shift.h"

namespace {

void AddToEachByte(char* text, unsigned delta) {
    for (; *text; ++text) *text = static_cast<char>(static_cast<unsigned char>(*text) + delta);
}

}  // namespace

bool PasswordIsStorable(const char* text) {
    for (; *text; ++text)
        if (static_cast<unsigned char>(*text) == kUnstorablePasswordByte) return false;
    return true;
}

void ShiftPasswordForStorage(char* text) { AddToEachByte(text, 2); }
void UnshiftStoredPassword(char* text) { AddToEachByte(text, 254); }  // minus 2, mod 256
