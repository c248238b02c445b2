#pragma once
// What the session files share among themselves, and the seams the Windows tests use
// (a full path instead of the program folder).
#include <windows.h>

#include <cstdint>

#include "base/function_ref.h"
#include "session.h"
#include "session_record.h"

// --- Counters (session_counters.cpp) ---
// A counter field's number, reading at most maxChars characters; empty is 0.
int32_t ReadCounterField(HWND window, int id, int maxChars);
// Empties the five counter fields and returns the ticket bar to 0.
void EmptyCounterFields(HWND window);

// --- Clock and status bar (session_clock.cpp) ---
void SetStatusText(const Session& session, int part, const char* text);
// Ends the session: the clock stops at 0, Save is disabled, Statistics enabled.
void EndSession(Session& session, HWND window);

// --- History file (session_file.cpp) ---
enum class SaveResult { Written, NothingToSave, Failed };

// The whole save of the session shown in window, to the file at path. Failed means a
// message was shown and no record was written.
SaveResult SaveSessionTo(HWND window, const char* path, int32_t start, int32_t elapsed);

constexpr char kSessionFile[] = "sess.qzd";

// Reads the file at path and hands its records to visit, newest first (visit returns
// false to stop). A missing or empty file has no records. Messages are owned by owner.
enum class ReadResult { Done, Stopped, Failed };
using SessionVisitor = FunctionRef<bool(const SessionRecord& record)>;
ReadResult ReadSessionFile(HWND owner, const char* path, SessionVisitor visit);

// --- Player Sessions dialog (sessions_dialog.cpp) ---
// Fills list 1066 of the dialog from the file at path; false when the dialog must close.
bool FillSessionListFrom(HWND dialog, const char* path);
