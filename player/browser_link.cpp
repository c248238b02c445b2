// The program's end of the link with the browsers' extension: the fill pipe (base/fill_pipe.h),
// served on the UI thread without waiting. Each instance listens for one native messaging host;
// "Fill Member ID" writes one message to every instance a host has connected to, and an instance
// whose host has gone listens again. No login data crosses the pipe: a host that hears the
// message reads the profile itself.
#include <windows.h>

#include "base/fill_pipe.h"
#include "base/handle.h"
#include "player.h"

#ifndef PIPE_REJECT_REMOTE_CLIENTS
#define PIPE_REJECT_REMOTE_CLIENTS 0x00000008
#endif

namespace {

constexpr char kFillMessage[] = "fill";
constexpr DWORD kOutBufferBytes = 256;

// One instance of the pipe: listening (its overlapped connect in flight) or connected.
struct PipeEnd {
    FileHandle pipe;
    KernelHandle event;
    OVERLAPPED overlapped = {};
    bool listening = false;
    bool connected = false;
};

PipeEnd g_ends[kFillPipeInstances];

void Listen(PipeEnd& end) {
    end.overlapped = OVERLAPPED{};
    end.overlapped.hEvent = end.event.get();
    end.listening = end.connected = false;
    if (ConnectNamedPipe(end.pipe.get(), &end.overlapped)) return;  // an overlapped connect answers false
    const DWORD error = GetLastError();
    if (error == ERROR_IO_PENDING)
        end.listening = true;
    else if (error == ERROR_PIPE_CONNECTED)
        end.connected = true;
    else
        end.pipe.reset();  // this instance is lost; the others serve
}

// Whether a host is on this instance now, noticing a connect that completed since.
bool HasHost(PipeEnd& end) {
    if (!end.pipe) return false;
    DWORD bytes = 0;
    if (end.listening && HasOverlappedIoCompleted(&end.overlapped)) {
        end.listening = false;
        end.connected = GetOverlappedResult(end.pipe.get(), &end.overlapped, &bytes, FALSE) != FALSE;
        if (!end.connected) Listen(end);
    }
    return end.connected;
}

// Ends the operation in flight on the instance, if any; the cancel ends it at once. Only an
// operation that answered ERROR_IO_PENDING is in flight: one that failed when it was started
// never sets its event.
void Cancel(PipeEnd& end, bool inFlight) {
    if (!inFlight) return;
    CancelIo(end.pipe.get());
    DWORD bytes = 0;
    GetOverlappedResult(end.pipe.get(), &end.overlapped, &bytes, TRUE);
}

// Gives the instance back to listening: its host has gone, or stopped reading.
void Relisten(PipeEnd& end, bool writeInFlight) {
    Cancel(end, writeInFlight);
    DisconnectNamedPipe(end.pipe.get());
    Listen(end);
}

void Signal(PipeEnd& end) {
    if (!HasHost(end)) return;
    end.overlapped = OVERLAPPED{};
    end.overlapped.hEvent = end.event.get();
    DWORD written = 0;
    // A message this short goes into the pipe's buffer at once; a write that must wait means the
    // host has stopped reading, and one that fails that it has gone.
    if (!WriteFile(end.pipe.get(), kFillMessage, sizeof kFillMessage - 1, &written, &end.overlapped))
        Relisten(end, GetLastError() == ERROR_IO_PENDING);
}

}  // namespace

void OpenBrowserLink() {
    wchar_t name[kFillPipeNameUnits];
    FillPipeName(name);
    for (DWORD i = 0; i < kFillPipeInstances; ++i) {
        PipeEnd& end = g_ends[i];
        end.event.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        // The first instance claims the name: when another process holds it, the program serves
        // no pipe (the hosts would refuse that process's pipe anyway).
        const DWORD first = i == 0 ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0;
        end.pipe.reset(CreateNamedPipeW(name, PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED | first,
                                        PIPE_TYPE_MESSAGE | PIPE_REJECT_REMOTE_CLIENTS, kFillPipeInstances,
                                        kOutBufferBytes, 0, 0, nullptr));
        if (!end.event || !end.pipe) {
            end.pipe.reset();
            if (i == 0) return;
            continue;
        }
        Listen(end);
    }
}

void SignalBrowserHosts() {
    for (PipeEnd& end : g_ends) Signal(end);
}

void CloseBrowserLink() {
    for (PipeEnd& end : g_ends) {
        if (end.pipe) Cancel(end, end.listening);
        end.pipe.reset();
        end.event.reset();
        end.listening = end.connected = false;
    }
}
