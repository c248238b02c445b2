#pragma once
// Site files for the desk's Windows tests.
#include <windows.h>

#include <string>
#include <vector>

#include "desk/site_records.h"
#include "win_test_files.h"

namespace desk_test {

using win_test::Bytes;
using win_test::FileExists;
using win_test::ReadFileBytes;
using win_test::ScratchFolder;
using win_test::WriteFileBytes;

inline Bytes RecordsFile(const std::vector<SiteRecord>& records) {
    Bytes bytes(records.size() * kSiteRecordSize);
    for (size_t i = 0; i < records.size(); ++i) EncodeSiteRecord(records[i], &bytes[i * kSiteRecordSize]);
    return bytes;
}

}  // namespace desk_test
