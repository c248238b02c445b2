#include "site_database.h"

#include <cstring>

#include "../base/file_mapping.h"
#include "../base/program_folder.h"

namespace {

char g_pathOverride[MAX_PATH];

// Opens the existing file, sharing nothing with other openers.
HANDLE OpenExclusive(const char* path, DWORD access) {
    return CreateFileA(path, access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool SiteFilePath(char* out, size_t size) {
    if (g_pathOverride[0]) {
        if (std::strlen(g_pathOverride) >= size) return false;
        std::strcpy(out, g_pathOverride);
        return true;
    }
    return ProgramFilePath("site.qzd", out, size);
}

bool Report(HWND owner, SiteFileResult result) {
    if (result == SiteFileResult::kOk) return true;
    MessageBoxA(owner, SiteFileMessage(result), kSiteFileErrorCaption, MB_OK | MB_ICONERROR);
    return false;
}

}  // namespace

const char* SiteFileMessage(SiteFileResult result) {
    switch (result) {
    case SiteFileResult::kOpenFailed: return "File [site.qzd] could not be opened.";
    case SiteFileResult::kSizeFailed: return "File [site.qzd] size could not be defined.";
    case SiteFileResult::kMapFailed: return "File [site.qzd] map could not be opened.";
    case SiteFileResult::kViewFailed: return "Could not map view of file [site.qzd].";
    case SiteFileResult::kOk: break;
    }
    return nullptr;
}

SiteFileResult ScanSiteFile(const char* path, int32_t key, SiteVisitor visit, void* context) {
    FileHandle file(OpenExclusive(path, GENERIC_READ));
    if (!file) return SiteFileResult::kOpenFailed;
    DWORD size = 0;
    if (!FileSize32(file.get(), &size)) return SiteFileResult::kSizeFailed;
    // A zero-length file cannot be mapped; it is a database without records.
    if (size == 0) return SiteFileResult::kOk;
    Mapping mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, size, nullptr));
    file.Close();  // the mapping keeps the file
    if (!mapping) return SiteFileResult::kMapFailed;
    View view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return SiteFileResult::kViewFailed;
    WalkSiteRecords(view.get(), size, key, visit, context);
    return SiteFileResult::kOk;
}

SiteFileResult AppendRecordToFile(const char* path, int32_t key, int rating, int32_t stampTime) {
    FileHandle file(OpenExclusive(path, GENERIC_READ | GENERIC_WRITE));
    if (!file || IsReadOnlyFile(file.get())) return SiteFileResult::kOpenFailed;
    DWORD size = 0;
    // One more record must still have a 32-bit end.
    if (!FileSize32(file.get(), &size) || size > MAXDWORD - kSiteRecordSize) return SiteFileResult::kSizeFailed;
    // The mapping's maximum size extends the file by one record of zero bytes.
    const uint32_t mappedSize = size + kSiteRecordSize;
    Mapping mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READWRITE, 0, mappedSize, nullptr));
    if (!mapping) return SiteFileResult::kMapFailed;
    View view(WriterMappingCalls().mapView(mapping.get(), FILE_MAP_WRITE, 0, 0, 0));
    if (!view) {
        // Take the extension back so that no record of site 0 is left behind. The file
        // stays open until here for that: its size cannot change while a mapping exists.
        mapping.Close();
        SetFileEnd(file.get(), size);
        return SiteFileResult::kViewFailed;
    }
    file.Close();
    const SiteRecord record{key, stampTime, static_cast<int16_t>(rating)};
    EncodeSiteRecord(record, view.get() + AppendOffset(size));
    return SiteFileResult::kOk;
}

bool ScanSite(HWND owner, int32_t key, SiteVisitor visit, void* context) {
    char path[MAX_PATH];
    if (!SiteFilePath(path, sizeof path)) return Report(owner, SiteFileResult::kOpenFailed);
    return Report(owner, ScanSiteFile(path, key, visit, context));
}

bool AppendEvaluation(HWND owner, int32_t key, int rating) {
    char path[MAX_PATH];
    if (!SiteFilePath(path, sizeof path)) return Report(owner, SiteFileResult::kOpenFailed);
    return Report(owner, AppendRecordToFile(path, key, rating, static_cast<int32_t>(CurrentUnixTime())));
}


void UseSiteFileAt(const char* path) {
    g_pathOverride[0] = 0;
    if (path && std::strlen(path) < sizeof g_pathOverride) std::strcpy(g_pathOverride, path);
}
