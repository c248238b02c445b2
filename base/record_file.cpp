#include "record_file.h"

#include <cstring>

#include "handle.h"

namespace {

// Not constexpr: for clang the address of an imported function is no constant expression.
const MappingCalls kSystemCalls = {CreateFileMappingA, MapViewOfFile, FlushViewOfFile};
const MappingCalls* g_calls = &kSystemCalls;

// 0xFFFFFFFF is a valid low part; only an error set makes it a failure. A file of 4 GiB or
// more has no usable size, like one whose size cannot be read.
bool FileSize32(HANDLE file, DWORD* size) {
    DWORD high = 0;
    SetLastError(NO_ERROR);
    *size = GetFileSize(file, &high);
    return !(*size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) && high == 0;
}

// Windows refuses write access to a read-only file anyway, but a process with the rights to
// ignore the attribute (root under Wine) would otherwise change a file the member protected.
bool IsReadOnlyFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information;
    return GetFileInformationByHandle(file, &information) && (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
}

// Back to the size the file had. The pointer is placed with a 64-bit offset and the end is
// moved only when that worked: a failed seek leaves the pointer where it was and would cut
// the file there (at 0, emptying it).
void CutBack(HANDLE file, DWORD oldSize) {
    DWORD size = 0;
    if (FileSize32(file, &size) && size == oldSize) return;
    LARGE_INTEGER offset;
    offset.QuadPart = oldSize;
    if (SetFilePointerEx(file, offset, nullptr, FILE_BEGIN)) SetEndOfFile(file);
}

HANDLE OpenExclusive(const char* path, DWORD access, DWORD creation) {
    return CreateFileA(path, access, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

const char* RecordFileMessage(const RecordFileTexts& texts, RecordFileResult result) {
    switch (result) {
    case RecordFileResult::kOpenFailed: return texts.openFailed;
    case RecordFileResult::kSizeFailed: return texts.sizeFailed;
    case RecordFileResult::kMapFailed: return texts.mapFailed;
    case RecordFileResult::kViewFailed: return texts.viewFailed;
    case RecordFileResult::kFlushFailed: return texts.flushFailed;
    case RecordFileResult::kOk: break;
    }
    return nullptr;
}

void SetWriterMappingCalls(const MappingCalls* calls) { g_calls = calls ? calls : &kSystemCalls; }

RecordFileResult ReadRecordFile(const char* path, bool missingIsEmpty, RecordReader read) {
    FileHandle file(OpenExclusive(path, GENERIC_READ, OPEN_EXISTING));
    if (!file) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return missing && missingIsEmpty ? RecordFileResult::kOk : RecordFileResult::kOpenFailed;
    }
    DWORD size = 0;
    if (!FileSize32(file.get(), &size)) return RecordFileResult::kSizeFailed;
    if (size == 0) return RecordFileResult::kOk;  // no records, and nothing a mapping could hold
    const KernelHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, size, nullptr));
    file.reset();  // the mapping keeps the file
    if (!mapping) return RecordFileResult::kMapFailed;
    const MappedView view(static_cast<uint8_t*>(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0)));
    if (!view) return RecordFileResult::kViewFailed;
    read(std::span<const uint8_t>(view.get(), size));
    return RecordFileResult::kOk;
}

RecordFileResult AppendRecord(const char* path, std::span<const uint8_t> record, AppendOptions options) {
    const DWORD recordSize = static_cast<DWORD>(record.size());
    // The file stays open to the end: its size cannot change while a mapping exists, and a
    // failure after the mapping lengthened it must cut it back.
    const FileHandle file(
        OpenExclusive(path, GENERIC_READ | GENERIC_WRITE, options.createMissing ? OPEN_ALWAYS : OPEN_EXISTING));
    if (!file || IsReadOnlyFile(file.get())) return RecordFileResult::kOpenFailed;
    DWORD size = 0;
    // One more record must still have a 32-bit end.
    if (!FileSize32(file.get(), &size) || size > MAXDWORD - recordSize) return RecordFileResult::kSizeFailed;
    const DWORD newSize = size + recordSize;
    KernelHandle mapping(g_calls->createMapping(file.get(), nullptr, PAGE_READWRITE, 0, newSize, nullptr));
    if (!mapping) {
        CutBack(file.get(), size);
        return RecordFileResult::kMapFailed;
    }
    const MappedView view(static_cast<uint8_t*>(g_calls->mapView(mapping.get(), FILE_MAP_WRITE, 0, 0, 0)));
    if (!view) {
        mapping.reset();
        CutBack(file.get(), size);
        return RecordFileResult::kViewFailed;
    }
    std::memcpy(view.get() + size / recordSize * recordSize, record.data(), record.size());
    if (options.flush && !g_calls->flushView(view.get(), newSize)) return RecordFileResult::kFlushFailed;
    return RecordFileResult::kOk;
}
