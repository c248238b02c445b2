// sess.qzd: the session save (append one record through a mapping of the whole file) and
// the reader that hands the records to the Player Sessions list. Each operation opens
// the file without sharing and releases everything before it returns.
#include <windows.h>

#include <span>

#include "../base/file_mapping.h"
#include "../base/format_text.h"
#include "../base/program_folder.h"
#include "../resources/rtln_ids.h"
#include "counter_text.h"
#include "session.h"
#include "session_internal.h"

namespace {

constexpr char kErrorCaption[] = "Error";
constexpr char kOpenFailed[] = "File [sess.qzd] could not be opened.";
constexpr char kSizeFailed[] = "File [sess.qzd] size could not be defined.";
constexpr char kMapFailed[] = "File [sess.qzd] map could not be opened.";
constexpr char kViewFailed[] = "Could not map view of file [sess.qzd].";
constexpr char kFlushFailed[] = "File [sess.qzd] map could not be saved.";
constexpr char kFileName[] = "sess.qzd";

char g_fileOverride[MAX_PATH];  // empty: the program folder's sess.qzd

// The history file's full path; empty when it cannot be built (then it cannot be opened).
void SessionFilePath(char (&path)[MAX_PATH]) {
    if (g_fileOverride[0]) {
        FormatText(path, sizeof path, "%s", g_fileOverride);
    } else if (!ProgramFilePath(kFileName, path, sizeof path)) {
        path[0] = 0;
    }
}

void ShowFileError(HWND owner, const char* text) { MessageBoxA(owner, text, kErrorCaption, MB_OK | MB_ICONERROR); }

// A failed save must not leave a record of zeros: back to the size the file had.
void CutBack(HANDLE file, DWORD oldSize) {
    DWORD size = 0;
    if (FileSize32(file, &size) && size == oldSize) return;
    SetFileEnd(file, oldSize);
}

SessionRecord CollectRecord(HWND window, int32_t start, int32_t elapsed) {
    SessionRecord record{};
    record.start = start;
    record.elapsed = elapsed;
    record.tickets = ReadCounterField(window, IDC_TICKETS, kCounterReadLength);
    record.errors = ReadCounterField(window, IDC_ERRORS, kCounterReadLength);
    record.lotto = ReadCounterField(window, IDC_LOTTO_CREDITS, kCounterReadLength);
    record.traffic = ReadCounterField(window, IDC_TRAFFIC_CREDITS, kCounterReadLength);
    record.banners = ReadCounterField(window, IDC_FREE_BANNERS, kCounterReadLength);
    return record;
}

bool FieldIsEmpty(HWND window, int id) { return GetWindowTextLengthA(GetDlgItem(window, id)) == 0; }

// Appends the record; the message to show afterwards (null for none) goes to *message.
SaveResult AppendRecord(const char* path, const SessionRecord& record, const char** message) {
    FileHandle file(
        CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || IsReadOnlyFile(file.get())) return *message = kOpenFailed, SaveResult::Failed;
    DWORD oldSize = 0;
    if (!FileSize32(file.get(), &oldSize) || oldSize > MAXDWORD - kSessionRecordSize)
        return *message = kSizeFailed, SaveResult::Failed;
    const DWORD newSize = oldSize + kSessionRecordSize;
    // The file handle stays open until the end (unlike a mapping-only hold) so that a
    // failure after the mapping lengthened the file can cut it back.
    Mapping mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READWRITE, 0, newSize, nullptr));
    if (!mapping) {
        CutBack(file.get(), oldSize);
        return *message = kMapFailed, SaveResult::Failed;
    }
    View view(WriterMappingCalls().mapView(mapping.get(), FILE_MAP_WRITE, 0, 0, 0));
    if (!view) {
        mapping.Close();
        CutBack(file.get(), oldSize);
        return *message = kViewFailed, SaveResult::Failed;
    }
    EncodeSessionRecord(record, view.get() + SessionAppendOffset(oldSize));
    if (!WriterMappingCalls().flushView(view.get(), newSize)) *message = kFlushFailed;  // written all the same
    return SaveResult::Written;
}

// Visits the records newest first; a failure leaves its message in *message.
ReadResult ReadRecords(const char* path, SessionVisitor visit, void* context, const char** message) {
    FileHandle file(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ReadResult::Done;  // no sessions yet
        return *message = kOpenFailed, ReadResult::Failed;
    }
    DWORD size = 0;
    if (!FileSize32(file.get(), &size)) return *message = kSizeFailed, ReadResult::Failed;
    if (size == 0) return ReadResult::Done;  // holds no session (and could not be mapped)
    Mapping mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) return *message = kMapFailed, ReadResult::Failed;
    View view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return *message = kViewFailed, ReadResult::Failed;
    const bool complete = VisitSessionsNewestFirst(std::span<const uint8_t>(view.get(), size),
                                                   [&](const SessionRecord& record) { return visit(record, context); });
    return complete ? ReadResult::Done : ReadResult::Stopped;
}

}  // namespace

void UseSessionFileAt(const char* path) { FormatText(g_fileOverride, sizeof g_fileOverride, "%s", path ? path : ""); }

void CurrentSessionFilePath(char (&path)[MAX_PATH]) { SessionFilePath(path); }

SaveResult SaveSessionTo(HWND window, const char* path, int32_t start, int32_t elapsed) {
    if (elapsed == 0) return SaveResult::NothingToSave;
    if (FieldIsEmpty(window, IDC_TICKETS) && FieldIsEmpty(window, IDC_ERRORS)) return SaveResult::NothingToSave;
    const char* message = nullptr;
    const SaveResult result = AppendRecord(path, CollectRecord(window, start, elapsed), &message);
    // Shown after the file is released, so it is not held while the member reads.
    if (message) ShowFileError(window, message);
    return result;
}

SaveResult SaveSession(HWND window) {
    char path[MAX_PATH];
    SessionFilePath(path);
    return SaveSessionTo(window, path, SessionStartTime(), SessionElapsed());
}

ReadResult ReadSessionFile(HWND owner, const char* path, SessionVisitor visit, void* context) {
    const char* message = nullptr;
    const ReadResult result = ReadRecords(path, visit, context, &message);
    if (message) ShowFileError(owner, message);
    return result;
}
