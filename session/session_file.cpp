// sess.qzd: the session save (append one record through a mapping of the whole file) and
// the reader that hands the records to the Player Sessions list. Each operation opens
// the file without sharing and releases everything before it returns.
#include <windows.h>

#include <span>

#include "base/program_folder.h"
#include "base/record_file.h"
#include "resources/rtln_ids.h"
#include "counter_text.h"
#include "session.h"
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

void EncodeInPlace(void* context, uint8_t* out) {
    EncodeSessionRecord(*static_cast<const SessionRecord*>(context), out);
}

struct Reading {
    SessionVisitor visit;
    void* context;
    bool complete;
};

void VisitMappedRecords(void* context, const uint8_t* bytes, uint32_t size) {
    Reading& reading = *static_cast<Reading*>(context);
    reading.complete =
        VisitSessionsNewestFirst(std::span<const uint8_t>(bytes, size),
                                 [&](const SessionRecord& record) { return reading.visit(record, reading.context); });
}

}  // namespace

SaveResult SaveSessionTo(HWND window, const char* path, int32_t start, int32_t elapsed) {
    if (elapsed == 0) return SaveResult::NothingToSave;
    if (FieldIsEmpty(window, IDC_TICKETS) && FieldIsEmpty(window, IDC_ERRORS)) return SaveResult::NothingToSave;
    SessionRecord record = CollectRecord(window, start, elapsed);
    const RecordFileResult result = AppendRecord(path, {kSessionRecordSize, OPEN_ALWAYS, true}, EncodeInPlace, &record);
    // Shown after the file is released, so it is not held while the member reads.
    return ReportRecordFile(window, kSessionFileTexts, result) ? SaveResult::Written : SaveResult::Failed;
}

SaveResult SaveSession(HWND window) {
    char path[kPathBytes];
    if (!DataFilePath(kSessionFile, path, sizeof path)) path[0] = 0;  // then it cannot be opened
    return SaveSessionTo(window, path, SessionStartTime(), SessionElapsed());
}

ReadResult ReadSessionFile(HWND owner, const char* path, SessionVisitor visit, void* context) {
    Reading reading{visit, context, true};
    if (!ReportRecordFile(owner, kSessionFileTexts, ReadRecordFile(path, true, VisitMappedRecords, &reading)))
        return ReadResult::Failed;
    return reading.complete ? ReadResult::Done : ReadResult::Stopped;
}
