#pragma once
// Files beside the running program: its folder is its own path less "\rtln.exe".
#include <cstddef>

// Room for any path the system takes (MAX_PATH characters) as the 8-bit functions spell it:
// in UTF-8, the programs' code page, one character takes up to 3 bytes.
constexpr size_t kPathBytes = size_t{3} * 260;

// Writes program folder + "\" + fileName into out; false if it does not fit.
bool ProgramFilePath(const char* fileName, char* out, size_t outSize);

// The same for the member's data files (site.qzd, sess.qzd), which tests keep in a folder of
// their own: UseDataFolder points them there, null returns them to the program folder.
bool DataFilePath(const char* fileName, char* out, size_t outSize);
void UseDataFolder(const char* folder);

// Registers a font file of the program folder for use by name, and withdraws it again. GDI
// reads an 8-bit path in the system's code page, not the program's, so these go through the
// wide calls.
bool AddProgramFont(const char* fileName);
void RemoveProgramFont(const char* fileName);
