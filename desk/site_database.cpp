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

struct Scan {
    int32_t key;
    SiteVisitor visit;
    void* context;
};

void WalkMappedRecords(void* context, const uint8_t* bytes, uint32_t size) {
    const Scan& scan = *static_cast<const Scan*>(context);
    WalkSiteRecords(bytes, size, scan.key, scan.visit, scan.context);
}

void EncodeInPlace(void* context, uint8_t* out) { EncodeSiteRecord(*static_cast<const SiteRecord*>(context), out); }

}  // namespace

const char* SiteFileMessage(SiteFileResult result) { return RecordFileMessage(kSiteFileTexts, result); }

SiteFileResult ScanSiteFile(const char* path, int32_t key, SiteVisitor visit, void* context) {
    Scan scan{key, visit, context};
    return ReadRecordFile(path, false, WalkMappedRecords, &scan);
}

SiteFileResult AppendRecordToFile(const char* path, int32_t key, int rating, int32_t stampTime) {
    SiteRecord record{key, stampTime, static_cast<int16_t>(rating)};
    return AppendRecord(path, {kSiteRecordSize, OPEN_EXISTING, false}, EncodeInPlace, &record);
}

bool ScanSite(HWND owner, int32_t key, SiteVisitor visit, void* context) {
    char path[kPathBytes];
    if (!DataFilePath("site.qzd", path, sizeof path))
        return ReportRecordFile(owner, kSiteFileTexts, SiteFileResult::kOpenFailed);
    return ReportRecordFile(owner, kSiteFileTexts, ScanSiteFile(path, key, visit, context));
}

bool AppendEvaluation(HWND owner, int32_t key, int rating) {
    char path[kPathBytes];
    if (!DataFilePath("site.qzd", path, sizeof path))
        return ReportRecordFile(owner, kSiteFileTexts, SiteFileResult::kOpenFailed);
    return ReportRecordFile(owner, kSiteFileTexts,
                            AppendRecordToFile(path, key, rating, static_cast<int32_t>(CurrentUnixTime())));
}
