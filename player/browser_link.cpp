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

// One instance of the pipe, with the overlapped connect or write in flight on it.
struct PipeEnd {
    FileHandle pipe;
    KernelHandle event;
    OVERLAPPED overlapped;
    bool connected;
};

PipeEnd g_ends[kFillPipeInstances];

void Listen(PipeEnd& end) {
    end.overlapped = OVERLAPPED{};
    end.overlapped.hEvent = end.event.get();
    end.connected = false;
    if (ConnectNamedPipe(end.pipe.get(), &end.overlapped)) return;  // an overlapped connect answers false
    const DWORD error = GetLastError();
    if (error == ERROR_PIPE_CONNECTED) end.connected = true;
    else if (error != ERROR_IO_PENDING) end.pipe.reset();  // this instance is lost; the others serve
}

// Whether a host is on this instance now, noticing a connect that completed since.
bool HasHost(PipeEnd& end) {
    if (!end.pipe) return false;
    DWORD bytes = 0;
    if (!end.connected && HasOverlappedIoCompleted(&end.overlapped))
        end.connected = GetOverlappedResult(end.pipe.get(), &end.overlapped, &bytes, FALSE) != FALSE;
    return end.connected;
}

// Gives the instance back to listening: its host has gone, or stopped reading.
void Relisten(PipeEnd& end) {
    CancelIo(end.pipe.get());
    DWORD bytes = 0;
    GetOverlappedResult(end.pipe.get(), &end.overlapped, &bytes, TRUE);  // the cancel ends it at once
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
    if (!WriteFile(end.pipe.get(), kFillMessage, sizeof kFillMessage - 1, &written, &end.overlapped)) Relisten(end);
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
        if (end.pipe) {
            CancelIo(end.pipe.get());
            DWORD bytes = 0;
            GetOverlappedResult(end.pipe.get(), &end.overlapped, &bytes, TRUE);
        }
        end.pipe.reset();
        end.event.reset();
        end.connected = false;
    }
}
