#pragma once
// Files beside the running program: its folder is its own path less "\rtln.exe".
#include <cstddef>

// Writes program folder + "\" + fileName into out; false if it does not fit.
bool ProgramFilePath(const char* fileName, char* out, size_t outSize);
