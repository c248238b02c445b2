#pragma once
// Owners of the handles a data-file operation holds: the file, its mapping and the view.
// Each is released when its owner leaves scope, whatever path the operation takes.
#include <windows.h>

#include <cstdint>

// The size of an open file. The data files are addressed with 32-bit sizes and offsets, so
// a file of 4 GiB or more has no usable size, like one whose size cannot be read.
inline bool FileSize32(HANDLE file, DWORD* size) {
    DWORD high = 0;
    SetLastError(NO_ERROR);  // 0xFFFFFFFF is a valid low part; only an error set makes it a failure
    *size = GetFileSize(file, &high);
    return !(*size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) && high == 0;
}

// Whether an open file carries the read-only attribute. The writers refuse such a file as one
// they cannot open: Windows refuses write access to it anyway, but a process with the rights
// to ignore the attribute (root under Wine) would otherwise change a file the member protected.
inline bool IsReadOnlyFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information;
    return GetFileInformationByHandle(file, &information) && (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
}

// Sets the end of an open file at size: the cut-back after a failed append. The pointer is
// placed with a 64-bit offset and the end is moved only when that worked, since a failed seek
// leaves the pointer where it was and would cut the file there (at 0, emptying it).
inline bool SetFileEnd(HANDLE file, DWORD size) {
    LARGE_INTEGER offset;
    offset.QuadPart = size;
    return SetFilePointerEx(file, offset, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// The mapping calls of the data files' writers; tests replace them to provoke the failures
// that come after a mapping has lengthened a file.
struct MappingCalls {
    LPVOID(WINAPI* mapView)(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T size);
    BOOL(WINAPI* flushView)(LPCVOID base, SIZE_T size);
};
const MappingCalls& WriterMappingCalls();
void SetWriterMappingCalls(const MappingCalls* calls);  // null restores the system's

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    void Close() {
        if (*this) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;  // CreateFileA fails with INVALID_HANDLE_VALUE
};

class Mapping {
public:
    explicit Mapping(HANDLE handle) : handle_(handle) {}
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;
    ~Mapping() { Close(); }
    explicit operator bool() const { return handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    void Close() {
        if (handle_) CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_;  // CreateFileMappingA fails with null
};

class View {
public:
    explicit View(void* base) : base_(static_cast<uint8_t*>(base)) {}
    View(const View&) = delete;
    View& operator=(const View&) = delete;
    ~View() { Close(); }
    explicit operator bool() const { return base_ != nullptr; }
    uint8_t* get() const { return base_; }
    void Close() {
        if (base_) UnmapViewOfFile(base_);
        base_ = nullptr;
    }

private:
    uint8_t* base_;
};
