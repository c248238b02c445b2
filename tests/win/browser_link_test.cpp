// The link between the program and the browsers' native messaging hosts: the program's fill
// pipe as hosts see it, and the host program itself, started with pipes as a browser starts it.
// The profile lies in the real settings key of the tests' private Wine prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

#include "base/fill_pipe.h"
#include "base/handle.h"
#include "base/settings.h"
#include "player/player.h"

namespace {

FileHandle ConnectAsHost() {
    wchar_t name[kFillPipeNameUnits];
    FillPipeName(name);
    return FileHandle(CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

// What a host reads of one message, or "" when the pipe is broken.
std::string ReadMessage(HANDLE pipe) {
    char bytes[16];
    DWORD read = 0;
    return ReadFile(pipe, bytes, sizeof bytes, &read, nullptr) ? std::string(bytes, read) : "";
}

TEST(BrowserLink, EveryConnectedHostHearsEachFillAndAGoneHostsPlaceServesTheNext) {
    OpenBrowserLink();
    // With no host connected the command returns at once.
    const DWORD start = GetTickCount();
    SignalBrowserHosts();
    EXPECT_LT(GetTickCount() - start, 50u);

    FileHandle first = ConnectAsHost(), second = ConnectAsHost();
    ASSERT_TRUE(first && second);
    SignalBrowserHosts();
    EXPECT_EQ(ReadMessage(first.get()), "fill");
    EXPECT_EQ(ReadMessage(second.get()), "fill");

    // Every instance taken, and one host gone: the fill still reaches the other, and the gone
    // host's instance takes a new one.
    FileHandle others[kFillPipeInstances - 2];
    for (FileHandle& other : others) ASSERT_TRUE(other = ConnectAsHost());
    EXPECT_FALSE(ConnectAsHost());
    first.reset();
    SignalBrowserHosts();
    EXPECT_EQ(ReadMessage(second.get()), "fill");
    const FileHandle next = ConnectAsHost();
    ASSERT_TRUE(next);
    SignalBrowserHosts();
    EXPECT_EQ(ReadMessage(next.get()), "fill");
    EXPECT_EQ(ReadMessage(second.get()), "fill");

    // Another process cannot take the name while the program holds it, and the program's
    // closing breaks every host's pipe.
    wchar_t name[kFillPipeNameUnits];
    FillPipeName(name);
    EXPECT_EQ(CreateNamedPipeW(name, PIPE_ACCESS_OUTBOUND | FILE_FLAG_FIRST_PIPE_INSTANCE, 0, 1, 0, 0, 0, nullptr),
              INVALID_HANDLE_VALUE);
    CloseBrowserLink();
    EXPECT_EQ(ReadMessage(second.get()), "");
}

// rtln_host.exe beside the tests, with pipes for its three standard streams.
class HostProcess {
public:
    HostProcess() {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE childIn = nullptr, childOut = nullptr, childErr = nullptr;
        CreatePipe(&childIn, input_.out(), &inherit, 0);
        CreatePipe(output_.out(), &childOut, &inherit, 0);
        CreatePipe(errors_.out(), &childErr, &inherit, 0);
        for (HANDLE mine : {input_.get(), output_.get(), errors_.get()}) SetHandleInformation(mine, HANDLE_FLAG_INHERIT, 0);
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::strcpy(std::strrchr(path, '\\') + 1, "rtln_host.exe");
        char line[] = "rtln_host.exe chrome-extension://pcbnjbkaokemkjbopomaabknnignmpmd/";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childIn;
        startup.hStdOutput = childOut;
        startup.hStdError = childErr;
        PROCESS_INFORMATION started{};
        if (CreateProcessA(path, line, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started)) {
            process_.reset(started.hProcess);
            CloseHandle(started.hThread);
        }
        for (HANDLE theirs : {childIn, childOut, childErr}) CloseHandle(theirs);
    }
    ~HostProcess() {
        if (process_) TerminateProcess(process_.get(), 1);
    }

    HANDLE process() const { return process_.get(); }
    void Send(const std::string& json) {
        const uint32_t length = static_cast<uint32_t>(json.size());
        DWORD written = 0;
        WriteFile(input_.get(), &length, sizeof length, &written, nullptr);
        WriteFile(input_.get(), json.data(), length, &written, nullptr);
    }
    void CloseInput() { input_.reset(); }
    // The next frame's message, or "" when none comes within the time (the output stays open).
    std::string Receive(DWORD milliseconds = 5000) {
        const std::string header = Read(4, milliseconds);
        if (header.size() < 4) return "";
        uint32_t length = 0;
        std::memcpy(&length, header.data(), 4);
        return Read(length, milliseconds);
    }
    // Whatever the host wrote to the stream by now.
    static std::string Drain(HANDLE stream) {
        std::string all;
        char bytes[256];
        DWORD available = 0, read = 0;
        while (PeekNamedPipe(stream, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
               ReadFile(stream, bytes, sizeof bytes, &read, nullptr))
            all.append(bytes, read);
        return all;
    }
    HANDLE output() const { return output_.get(); }
    HANDLE errors() const { return errors_.get(); }

private:
    std::string Read(size_t size, DWORD milliseconds) {
        std::string bytes;
        for (const DWORD start = GetTickCount(); bytes.size() < size && GetTickCount() - start < milliseconds;) {
            DWORD available = 0, read = 0;
            char chunk[512];
            if (!PeekNamedPipe(output_.get(), nullptr, 0, nullptr, &available, nullptr)) break;
            if (available == 0) {
                Sleep(5);
                continue;
            }
            const DWORD wanted = static_cast<DWORD>(std::min<size_t>({size - bytes.size(), available, sizeof chunk}));
            if (!ReadFile(output_.get(), chunk, wanted, &read, nullptr)) break;
            bytes.append(chunk, read);
        }
        return bytes;
    }

    FileHandle input_, output_, errors_;
    KernelHandle process_;
};

// The profile: this member ID, no site ID, and the password "abc" (stored shifted).
void StoreMember(const char* member) {
    RegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(),
                              nullptr),
              ERROR_SUCCESS);
    for (const auto& [name, text] : {std::pair{"MemberID", member}, {"SiteID", ""}, {"Password", "cde"}})
        RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(std::strlen(text) + 1));
}

// Each test stores the profile it needs; none is left for the next.
class HostProgram : public testing::Test {
protected:
    void TearDown() override {
        if (const RegKey key = OpenSettings(KEY_SET_VALUE); key)
            for (const char* name : {"MemberID", "SiteID", "Password"}) RegDeleteValueA(key.get(), name);
    }
};

DWORD ExitCodeWithin(HANDLE process, DWORD milliseconds) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
    return code;
}

TEST_F(HostProgram, AnswersInBinaryFramesAndEndsWhenItsInputCloses) {
    // A member ID of 37 characters, 33 of them written as \u0001, makes the answer 266 bytes
    // long: a length byte 0x0A, which text mode would have written as CR LF.
    const std::string member = std::string(33, '\x01') + "mmmm";
    StoreMember(member.c_str());
    HostProcess host;
    ASSERT_TRUE(host.process());
    host.Send(R"({"kind":"profile","id":1})");
    std::string written;
    for (int i = 0; i < 33; ++i) written += "\\u0001";
    const std::string answer = R"({"kind":"profile","id":1,"member":")" + written + R"(mmmm","site":"","password":"abc"})";
    ASSERT_EQ(answer.size(), 266u);
    EXPECT_EQ(host.Receive(), answer);
    host.CloseInput();
    EXPECT_EQ(ExitCodeWithin(host.process(), 2000), 0u);
    EXPECT_EQ(HostProcess::Drain(host.output()), "");
}

TEST_F(HostProgram, RefusesAFillPipeThatAnotherProgramServes) {
    StoreMember("member");
    OpenBrowserLink();  // served by this test program, which is not the rtln.exe beside the host
    HostProcess host;
    ASSERT_TRUE(host.process());
    // The host connects, finds the server is not the program, and lets go again: a fill sent
    // meanwhile never reaches the browser.
    for (int i = 0; i < 40; ++i, Sleep(50)) SignalBrowserHosts();
    host.Send(R"({"kind":"profile","id":2})");
    EXPECT_EQ(host.Receive(), R"({"kind":"profile","id":2,"member":"member","site":"","password":"abc"})");
    CloseBrowserLink();
}

TEST_F(HostProgram, AFaultEndsItWithALineOnStandardErrorAndNothingInTheFrames) {
    HostProcess host;
    ASSERT_TRUE(host.process());
    host.Send(R"({"kind":"x"})");
    EXPECT_EQ(host.Receive(), R"({"kind":"error","error":"unknown kind"})");
    // A thread of the host that starts at address 0 faults at once.
    const KernelHandle thread(CreateRemoteThread(host.process(), nullptr, 0, nullptr, nullptr, 0, nullptr));
    ASSERT_TRUE(thread);
    EXPECT_EQ(ExitCodeWithin(host.process(), 5000), 3u);
    EXPECT_EQ(HostProcess::Drain(host.output()), "");
    EXPECT_EQ(HostProcess::Drain(host.errors()), "rtln_host: unexpected fault C0000005, ending\r\n");
}

}  // namespace
