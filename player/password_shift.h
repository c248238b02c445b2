#pragma once
// The stored password is the typed one with every byte's code raised by 2 (mod 256). This
// hides it from a casual look at the registry; it is no protection.
#include <cstddef>

// A byte of code 254 would be stored as 0 and end the stored text there.
constexpr unsigned char kUnstorablePasswordByte = 254;

// Whether every byte of the zero-terminated text survives storing.
bool PasswordIsStorable(const char* text);

// In place, up to the terminating zero.
void ShiftPasswordForStorage(char* text);
void UnshiftStoredPassword(char* text);
