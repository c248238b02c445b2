#pragma once
// Files beside the running program: its folder is its own path less "\rtln.exe".
#include <cstddef>

// Writes program folder + "\" + fileName into out; false if it does not fit.
bool ProgramFilePath(const char* fileName, char* out, size_t outSize);

// The same for the member's data files (site.qzd, sess.qzd), which tests keep in a folder of
// their own: UseDataFolder points them there, null returns them to the program folder.
bool DataFilePath(const char* fileName, char* out, size_t outSize);
void UseDataFolder(const char* folder);
