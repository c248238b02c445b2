// The native messaging host: started by a browser for the extension, with the browser's pipes as
// its standard streams. It answers the extension's requests for the profile and, whenever the
// program's "Fill Member ID" runs, sends the profile unasked. Standard output carries frames and
// nothing else; standard error takes the one line of an unexpected fault.
#include <windows.h>

#include "base/settings.h"
#include "host_message.h"
#include "player/stored_password.h"
#include "program_link.h"

namespace {

HANDLE g_input = nullptr;
HANDLE g_output = nullptr;
// Frames come from two threads (requests, and fills from the program's link): one at a time.
CRITICAL_SECTION g_writing;

// A fault must not reach the browser as output: Wine's debugger, for one, writes its report to
// standard output, which the browser would read as a frame. The host says so on standard error
// and ends.
LONG WINAPI EndQuietly(EXCEPTION_POINTERS* fault) {
    char line[64];
    const DWORD code = fault && fault->ExceptionRecord ? fault->ExceptionRecord->ExceptionCode : 0;
    const int length =
        wsprintfA(line, "rtln_host: unexpected fault %08lX, ending\r\n", static_cast<unsigned long>(code));
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

bool ReadAll(void* bytes, DWORD size) {
    auto* at = static_cast<char*>(bytes);
    while (size > 0) {
        DWORD read = 0;
        if (!ReadFile(g_input, at, size, &read, nullptr) || read == 0) return false;
        at += read;
        size -= read;
    }
    return true;
}

void WriteFrame(const char* frame, size_t size) {
    if (size == 0) return;
    EnterCriticalSection(&g_writing);
    for (DWORD written = 0; size > 0; frame += written, size -= written)
        if (!WriteFile(g_output, frame, static_cast<DWORD>(size), &written, nullptr) || written == 0) break;
    LeaveCriticalSection(&g_writing);
}

// The profile's login data as UTF-8, read afresh from the settings key; false when the key
// cannot be opened. Absent values read as empty.
struct Utf8Login {
    char member[TextBytes(kProfileTextUnits)];
    char site[TextBytes(kProfileTextUnits)];
    char password[TextBytes(kPasswordUnits)];
};

void ToUtf8(const wchar_t* wide, char* text, size_t size) {
    if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, static_cast<int>(size), nullptr, nullptr) <= 0) text[0] = 0;
}

bool ReadLogin(Utf8Login& login) {
    const RegKey key = OpenSettings(KEY_QUERY_VALUE);
    if (!key) return false;
    LoginTexts texts;
    ReadLoginTexts(key.get(), texts);
    ToUtf8(texts.member, login.member, sizeof login.member);
    ToUtf8(texts.site, login.site, sizeof login.site);
    ToUtf8(texts.password, login.password, sizeof login.password);
    SecureZeroMemory(&texts, sizeof texts);
    return true;
}

// Sends the frame that the login data makes, then wipes both.
template <typename Write>
void SendLogin(Write write) {
    Utf8Login login;
    char frame[host::kMaxFrameBytes];
    const bool read = ReadLogin(login);
    WriteFrame(frame, write(read ? &login : nullptr, frame));
    SecureZeroMemory(&login, sizeof login);
    SecureZeroMemory(frame, sizeof frame);
}

// "Fill Member ID" ran in the program. Without a settings key there is nothing to fill.
void OnProgramFill() {
    SendLogin([](const Utf8Login* login, char(&frame)[host::kMaxFrameBytes]) -> size_t {
        return login ? host::WriteFillMessage({login->member, login->site, login->password}, frame) : 0;
    });
}

void Answer(const char* bytes, size_t length) {
    host::Request request{};
    const host::RequestProblem problem = host::ReadRequest(bytes, length, request);
    if (problem != host::RequestProblem::kNone) {
        char frame[host::kMaxFrameBytes];
        WriteFrame(frame, host::WriteErrorAnswer(request, host::ProblemText(problem), frame));
        return;
    }
    SendLogin([&request](const Utf8Login* login, char(&frame)[host::kMaxFrameBytes]) -> size_t {
        return login ? host::WriteProfileAnswer(request.id, {login->member, login->site, login->password}, frame)
                     : host::WriteErrorAnswer(request, "no profile", frame);
    });
}

}  // namespace

int main() {
    SetUnhandledExceptionFilter(EndQuietly);
    // Handles, not the C runtime's streams: no text mode turns a length byte 0x0A into CR LF.
    g_input = GetStdHandle(STD_INPUT_HANDLE);
    g_output = GetStdHandle(STD_OUTPUT_HANDLE);
    InitializeCriticalSection(&g_writing);
    StartProgramLink(OnProgramFill);  // without it the toolbar button still works
    for (;;) {
        unsigned char header[host::kFrameHeaderBytes];
        if (!ReadAll(header, sizeof header)) break;  // the browser closed the port
        const uint32_t length = host::FrameLength(header);
        if (length > host::kMaxRequestBytes) {
            // The rest of that message cannot be skipped safely: say why, and end.
            char frame[host::kMaxFrameBytes];
            WriteFrame(frame, host::WriteErrorAnswer({}, "message too long", frame));
            break;
        }
        char message[host::kMaxRequestBytes];
        if (!ReadAll(message, length)) break;
        Answer(message, length);
    }
    // Ends the link's thread too, wherever it waits.
    ExitProcess(0);
}
