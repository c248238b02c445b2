#include "process_counts.h"

#include <winternl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace endurance {

namespace {

// Wine keeps each process's GDI objects in a table of 65536 entries of 24 bytes, pointed to by
// the process environment block; an entry is live while its type byte is not zero.
constexpr size_t kGdiEntries = 0x10000;
constexpr size_t kGdiEntrySize = 24;
constexpr size_t kGdiTypeOffset = 14;
#ifdef _WIN64
constexpr size_t kPebGdiTableOffset = 0xF8;
#else
constexpr size_t kPebGdiTableOffset = 0x94;
#endif

using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
using QuerySystem = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

FARPROC NtFunction(const char* name) { return GetProcAddress(GetModuleHandleA("ntdll.dll"), name); }

struct HandleEntry {  // one entry of the system's handle list
    ULONG ownerProcessId;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    PVOID object;
    ULONG access;
};

// GetProcessHandleCount answers 0 under Wine 8 whatever the process holds; the system's list of
// every open handle (SystemHandleInformation) names each one's owner.
long CountHandles(DWORD processId) {
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
    const auto query = reinterpret_cast<QuerySystem>(reinterpret_cast<void*>(NtFunction("NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<unsigned char> buffer(1 << 16);
    NTSTATUS status;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) ==
           kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return -1;
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    const size_t first = std::max(sizeof(ULONG), alignof(HandleEntry));  // the count, then the entries
    long owned = 0;
    for (ULONG i = 0; i < count && first + (i + 1) * sizeof(HandleEntry) <= buffer.size(); ++i) {
        HandleEntry entry{};
        std::memcpy(&entry, buffer.data() + first + i * sizeof(HandleEntry), sizeof entry);
        owned += entry.ownerProcessId == processId;
    }
    return owned;
}

long CountGdiObjects(HANDLE process) {
    const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(NtFunction("NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
    const auto* peb = static_cast<const unsigned char*>(static_cast<void*>(basic.PebBaseAddress));
    void* table = nullptr;
    if (!ReadProcessMemory(process, peb + kPebGdiTableOffset, &table, sizeof table, nullptr) || !table) return -1;
    std::vector<unsigned char> entries(kGdiEntries * kGdiEntrySize);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr)) return -1;
    long live = 0;
    for (size_t i = 0; i < kGdiEntries; ++i) live += entries[i * kGdiEntrySize + kGdiTypeOffset] != 0;
    return live;
}

struct WindowTally {
    DWORD processId;
    long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowTally*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param) {
    auto* tally = reinterpret_cast<WindowTally*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != tally->processId) return TRUE;
    ++tally->count;
    EnumChildWindows(window, CountChild, param);  // every descendant, not just the children
    return TRUE;
}

}  // namespace

ProcessCounts CountProcessObjects(HANDLE process, DWORD processId) {
    ProcessCounts counts;
    DWORD reported = 0;
    if (GetProcessHandleCount(process, &reported)) counts.reportedHandles = static_cast<long>(reported);
    counts.handles = CountHandles(processId);
    counts.gdiObjects = CountGdiObjects(process);
    WindowTally tally{processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&tally));
    counts.windows = tally.count;
    counts.guiGdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
    counts.guiUser = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
    return counts;
}

std::string Describe(const ProcessCounts& counts) {
    return "handles " + std::to_string(counts.handles) + ", GDI objects " + std::to_string(counts.gdiObjects) +
           ", windows " + std::to_string(counts.windows) + " (as the system reports them: GetProcessHandleCount " +
           std::to_string(counts.reportedHandles) + ", GetGuiResources GDI " + std::to_string(counts.guiGdi) +
           " USER " + std::to_string(counts.guiUser) + ")";
}

}  // namespace endurance
