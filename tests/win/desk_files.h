#pragma once
// Throw-away folders and site files for the desk's Windows tests.
#include <windows.h>

#include <string>
#include <vector>

#include "desk/site_records.h"
#include "win_test_files.h"

namespace desk_test {

using win_test::Bytes;
using win_test::Exists;
using win_test::ReadBytes;
using win_test::WriteBytes;

// A fresh empty folder under the temporary folder.
inline std::string MakeScratchFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "rtln_desk_" + std::to_string(GetCurrentProcessId()) + "_" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

inline Bytes RecordsFile(const std::vector<SiteRecord>& records) {
    Bytes bytes(records.size() * kSiteRecordSize);
    for (size_t i = 0; i < records.size(); ++i) EncodeSiteRecord(records[i], &bytes[i * kSiteRecordSize]);
    return bytes;
}

}  // namespace desk_test
