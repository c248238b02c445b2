#pragma once
// Throw-away folders and whole-file helpers for the desk's Windows tests.
#include <windows.h>

#include <string>
#include <vector>

#include "desk/site_records.h"

namespace desk_test {

using Bytes = std::vector<unsigned char>;

// A fresh empty folder under the temporary folder.
inline std::string MakeScratchFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "rtln_desk_" + std::to_string(GetCurrentProcessId()) + "_" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

inline bool WriteBytes(const std::string& path, const Bytes& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                      written == bytes.size());
    CloseHandle(file);
    return ok;
}

inline Bytes ReadBytes(const std::string& path) {
    Bytes bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline Bytes RecordsFile(const std::vector<SiteRecord>& records) {
    Bytes bytes(records.size() * kSiteRecordSize);
    for (size_t i = 0; i < records.size(); ++i) EncodeSiteRecord(records[i], &bytes[i * kSiteRecordSize]);
    return bytes;
}

}  // namespace desk_test
