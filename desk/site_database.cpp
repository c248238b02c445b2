#include "site_database.h"

#include "base/program_folder.h"

namespace {

constexpr RecordFileTexts kSiteFileTexts = {
    "File [site.qzd] could not be opened.",
    "File [site.qzd] size could not be defined.",
    "File [site.qzd] map could not be opened.",
    "Could not map view of file [site.qzd].",
    nullptr,  // the site file is not flushed
};

// Shows the failure's message, once the file is released; true when the operation did its work.
bool Report(HWND owner, SiteFileResult result) {
    if (const char* text = RecordFileMessage(kSiteFileTexts, result))
        MessageBoxA(owner, text, "Error", MB_OK | MB_ICONERROR);
    return RecordFileDone(result);
}

}  // namespace

SiteFileResult ScanSiteFile(const char* path, int32_t key, SiteVisitor visit) {
    return ReadRecordFile(path, false, [&](std::span<const uint8_t> bytes) { WalkSiteRecords(bytes, key, visit); });
}

SiteFileResult AppendRecordToFile(const char* path, int32_t key, int rating, int32_t stampTime) {
    uint8_t record[kSiteRecordSize];
    EncodeSiteRecord({key, stampTime, static_cast<int16_t>(rating)}, record);
    return AppendRecord(path, record, {false, false});
}

bool ScanSite(HWND owner, int32_t key, SiteVisitor visit) {
    char path[kPathBytes];
    if (!DataFilePath("site.qzd", path, sizeof path)) return Report(owner, SiteFileResult::kOpenFailed);
    return Report(owner, ScanSiteFile(path, key, visit));
}

bool AppendEvaluation(HWND owner, int32_t key, int rating) {
    char path[kPathBytes];
    if (!DataFilePath("site.qzd", path, sizeof path)) return Report(owner, SiteFileResult::kOpenFailed);
    return Report(owner, AppendRecordToFile(path, key, rating, static_cast<int32_t>(CurrentUnixTime())));
}
