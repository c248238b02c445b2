#pragma once
// The four operations on the data files, run as the program runs them, with the message
// boxes each one showed: the site lookup and append, the session save, and the reader
// behind the Player Sessions list.
#include <string>

#include "base/program_folder.h"
#include "desk/site_database.h"
#include "session/session_internal.h"
#include "session_test_support.h"

namespace file_faults {

enum class Operation { kLookup, kAppend, kSave, kList };

inline const char* FileOf(Operation operation) {
    return operation == Operation::kLookup || operation == Operation::kAppend ? "site.qzd" : "sess.qzd";
}

struct Outcome {
    bool ok;              // the operation reported success
    std::string message;  // "caption: text" of every box shown, in order; empty for none
};

// Stand-ins for the writer's system calls (SetWriterMappingCalls) that fail.
inline HANDLE WINAPI FailingMapping(HANDLE, LPSECURITY_ATTRIBUTES, DWORD, DWORD, DWORD, LPCSTR) { return nullptr; }
inline LPVOID WINAPI FailingMapView(HANDLE, DWORD, DWORD, DWORD, SIZE_T) { return nullptr; }
inline BOOL WINAPI FailingFlush(LPCVOID, SIZE_T) { return FALSE; }

inline Outcome Run(Operation operation, const std::string& path) {
    session_test::CounterWindow window;
    window.Set(IDC_TICKETS, "1");
    session_test::BoxWatcher watcher;
    bool ok = false;
    UseDataFolder(path.substr(0, path.rfind('\\')).c_str());  // site.qzd or sess.qzd there
    switch (operation) {
    case Operation::kLookup: ok = ScanSite(window.get(), 1234, [](int32_t, int) { return true; }); break;
    case Operation::kAppend: ok = AppendEvaluation(window.get(), 1234, 3); break;
    case Operation::kSave: ok = SaveSessionTo(window.get(), path.c_str(), 1102214525, 60) == SaveResult::Written; break;
    case Operation::kList:
        ok = ReadSessionFile(window.get(), path.c_str(), [](const SessionRecord&) { return true; }) !=
             ReadResult::Failed;
        break;
    }
    UseDataFolder(nullptr);
    std::string message;
    for (const session_test::Box& box : watcher.Stop()) {
        if (!message.empty()) message.append(" | ");
        message.append(box.caption).append(": ").append(box.text);
    }
    return {ok, message};
}

}  // namespace file_faults
