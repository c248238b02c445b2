#pragma once
// The program's two data files, site.qzd and sess.qzd, are flat runs of fixed-size records
// reached through a mapping of the whole file. Each operation opens the file sharing nothing
// with other openers and releases the file, its mapping and its view before it returns.
// The files are addressed with 32-bit sizes and offsets.
#include <windows.h>

#include <cstdint>
#include <span>

#include "function_ref.h"

enum class RecordFileResult { kOk, kOpenFailed, kSizeFailed, kMapFailed, kViewFailed, kFlushFailed };

// A file's message for each failure, as the member reads it (shown with the caption "Error").
struct RecordFileTexts {
    const char* openFailed;
    const char* sizeFailed;
    const char* mapFailed;
    const char* viewFailed;
    const char* flushFailed;
};

// The text for a result; null for kOk.
const char* RecordFileMessage(const RecordFileTexts& texts, RecordFileResult result);

// Whether the operation did its work: read the file, or wrote the record (also when the
// record could not be flushed).
constexpr bool RecordFileDone(RecordFileResult result) {
    return result == RecordFileResult::kOk || result == RecordFileResult::kFlushFailed;
}

// Hands the whole content of the file to read. A file of zero length has no records and is not
// mapped; a missing file is a failure unless missingIsEmpty.
using RecordReader = FunctionRef<void(std::span<const uint8_t> bytes)>;
RecordFileResult ReadRecordFile(const char* path, bool missingIsEmpty, RecordReader read);

struct AppendOptions {
    bool createMissing;  // a missing file is created, else it is a failure
    bool flush;          // the view is written back before the call returns
};

// Appends the record's bytes after the file's last whole record of that size (over any
// shorter tail). The mapping lengthens the file by one record; when a later step fails the
// file is cut back to its old size, so that no record of zeros is left. A file carrying the
// read-only attribute is refused like one that cannot be opened.
RecordFileResult AppendRecord(const char* path, std::span<const uint8_t> record, AppendOptions options);

// The calls that lengthen a file by mapping it and that come after; tests replace them to
// provoke those failures.
struct MappingCalls {
    HANDLE(WINAPI* createMapping)
    (HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect, DWORD sizeHigh, DWORD sizeLow, LPCSTR name);
    LPVOID(WINAPI* mapView)(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T size);
    BOOL(WINAPI* flushView)(LPCVOID base, SIZE_T size);
};
void SetWriterMappingCalls(const MappingCalls* calls);  // null restores the system's
