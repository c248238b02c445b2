// sess.qzd: the session save (append one record through a mapping of the whole file) and
// the reader that hands the records to the Player Sessions list. Each operation opens
// the file without sharing and releases everything before it returns.
#include <windows.h>

#include <span>

#include "base/program_folder.h"
#include "base/record_file.h"
#include "resources/rtln_ids.h"
#include "counter_text.h"
#include "session_internal.h"

namespace {

constexpr RecordFileTexts kSessionFileTexts = {
    "File [sess.qzd] could not be opened.",     "File [sess.qzd] size could not be defined.",
    "File [sess.qzd] map could not be opened.", "Could not map view of file [sess.qzd].",
    "File [sess.qzd] map could not be saved.",  // the record is written all the same
};
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

// Shows the failure's message, once the file is released; true when the operation did its work
// (a record that could not be flushed is written all the same).
bool Report(HWND owner, RecordFileResult result) {
    if (const char* text = RecordFileMessage(kSessionFileTexts, result))
        MessageBoxA(owner, text, "Error", MB_OK | MB_ICONERROR);
    return RecordFileDone(result);
}

}  // namespace

SaveResult SaveSessionTo(HWND window, const char* path, int32_t start, int32_t elapsed) {
    if (elapsed == 0) return SaveResult::NothingToSave;
    if (FieldIsEmpty(window, IDC_TICKETS) && FieldIsEmpty(window, IDC_ERRORS)) return SaveResult::NothingToSave;
    uint8_t record[kSessionRecordSize];
    EncodeSessionRecord(CollectRecord(window, start, elapsed), record);
    return Report(window, AppendRecord(path, record, {true, true})) ? SaveResult::Written : SaveResult::Failed;
}

namespace {

// Appends the session shown in the window (the clock's start and length) to sess.qzd.
SaveResult SaveSession(const Session& session, HWND window) {
    char path[kPathBytes];
    if (!DataFilePath(kSessionFile, path, sizeof path)) path[0] = 0;  // then it cannot be opened
    return SaveSessionTo(window, path, session.startTime, session.elapsed.load(std::memory_order_relaxed));
}

}  // namespace

void SaveAndEndSession(Session& session, HWND window) {
    if (SaveSession(session, window) != SaveResult::Failed) EndSession(session, window);
}

void SaveCountedSession(const Session& session, HWND window) {
    if (session.elapsed.load(std::memory_order_relaxed) != 0) SaveSession(session, window);
}

// The process may end without the window's destroy handling: store the session now,
// asking nothing. A written session is ended, so a later destroy does not store it again;
// after a failure the destroy handling tries once more.
void SaveOnEndSession(Session& session, HWND window) {
    if (session.elapsed.load(std::memory_order_relaxed) != 0 && SaveSession(session, window) == SaveResult::Written)
        EndSession(session, window);
}

ReadResult ReadSessionFile(HWND owner, const char* path, SessionVisitor visit) {
    bool complete = true;
    const RecordFileResult result = ReadRecordFile(
        path, true, [&](std::span<const uint8_t> bytes) { complete = VisitSessionsNewestFirst(bytes, visit); });
    if (!Report(owner, result)) return ReadResult::Failed;
    return complete ? ReadResult::Done : ReadResult::Stopped;
}
