#pragma once
// What the session files share among themselves, and the seams the Windows tests use
// (a full path instead of the program folder, replaceable timer and mapping calls).
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>

#include "base/handle.h"
#include "session_record.h"

// The session's state, one per run of the program.
struct SessionState {
    HWND window = nullptr;  // the main window, whose status bar, counters and menu the session uses
    HWND statusBar = nullptr;
    HWND clockReceiver = nullptr;
    IconHandle statusIcons[4];
    char dateText[32] = "";
    std::atomic<int32_t> elapsed{0};  // written by the tick while the timer runs, else by EndSession
    int32_t startTime = 0;
    MultimediaTimer timer;
    DWORD_PTR clockRun = 0;  // number of the current clock run, handed to each tick
    std::atomic<LONG> deliveredTicks{0};
    int32_t sitesCounter = 0;  // new sites counted so far
};
SessionState& TheSession();

// --- Counters (session_counters.cpp) ---
// A counter field's number, reading at most maxChars characters; empty is 0.
int32_t ReadCounterField(HWND window, int id, int maxChars);
// Empties the five counter fields and returns the ticket bar to 0.
void EmptyCounterFields(HWND window);

// --- Clock and status bar (session_clock.cpp) ---
HWND SessionStatusBar();
void SetStatusText(int part, const char* text);
int32_t SessionElapsed();
int32_t SessionStartTime();
void StopSession(HWND window);
void EndSession();

// Creates the clock's periodic event; replaced by tests to make it fail. Null restores
// the system's timeSetEvent.
using TimerStarter = MMRESULT(WINAPI*)(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user,
                                       UINT flags);
void SetSessionTimerStarter(TimerStarter starter);
// Ticks delivered to the status bar since the program started (for the tests).
LONG DeliveredClockTicks();

// --- History file (session_file.cpp) ---
enum class SaveResult { Written, NothingToSave, Failed };

// The whole save of the session shown in window, to the file at path. Failed means a
// message was shown and no record was written.
SaveResult SaveSessionTo(HWND window, const char* path, int32_t start, int32_t elapsed);
// Appends the session shown in the window (the clock's start and length) to sess.qzd.
SaveResult SaveSession(HWND window);

constexpr char kSessionFile[] = "sess.qzd";

// Reads the file at path and hands its records to visit, newest first (visit returns
// false to stop). A missing or empty file has no records. Messages are owned by owner.
enum class ReadResult { Done, Stopped, Failed };
using SessionVisitor = bool (*)(const SessionRecord& record, void* context);
ReadResult ReadSessionFile(HWND owner, const char* path, SessionVisitor visit, void* context);

// --- Player Sessions dialog (sessions_dialog.cpp) ---
// Fills list 1066 of the dialog from the file at path; false when the dialog must close.
bool FillSessionListFrom(HWND dialog, const char* path);
