// The file calls on Windows: wide-character paths, handles behind small
// descriptor numbers, mandatory byte-range locks over the whole file, and
// renames that replace and reach the disk before they return.
#include "files/systemfile.h"

#include <cerrno>
#include <climits>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include "text/codepage.h"

namespace orvik::systemfile {

namespace {

struct OpenFile {
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool append = false;
};

std::mutex tableMutex;
std::vector<OpenFile> openFiles; // the descriptor is the index

// A failure of these calls leaves its Windows error here and this mark in
// errno; the test doubles of the file operations set errno alone.
constexpr int kWindowsFailure = 0x57494E;
thread_local DWORD lastWindowsError = 0;

int fail(DWORD code) {
    lastWindowsError = code;
    errno = kWindowsFailure;
    return -1;
}

int failWithLast() {
    return fail(GetLastError());
}

int addFile(HANDLE handle, bool append) {
    std::lock_guard<std::mutex> guard(tableMutex);
    for (std::size_t fd = 0; fd < openFiles.size(); ++fd) {
        if (openFiles[fd].handle == INVALID_HANDLE_VALUE) {
            openFiles[fd] = {handle, append};
            return static_cast<int>(fd);
        }
    }
    openFiles.push_back({handle, append});
    return static_cast<int>(openFiles.size() - 1);
}

OpenFile fileOf(int fd) {
    std::lock_guard<std::mutex> guard(tableMutex);
    if (fd < 0 || static_cast<std::size_t>(fd) >= openFiles.size())
        return {};
    return openFiles[static_cast<std::size_t>(fd)];
}

DWORD accessFor(int flags) {
    switch (flags & (O_RDONLY | O_WRONLY | O_RDWR)) {
    case O_WRONLY:
        return GENERIC_WRITE;
    case O_RDWR:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return GENERIC_READ;
    }
}

DWORD dispositionFor(int flags) {
    if ((flags & O_CREAT) && (flags & O_EXCL))
        return CREATE_NEW;
    if ((flags & O_CREAT) && (flags & O_TRUNC))
        return CREATE_ALWAYS;
    if (flags & O_CREAT)
        return OPEN_ALWAYS;
    if (flags & O_TRUNC)
        return TRUNCATE_EXISTING;
    return OPEN_EXISTING;
}

DWORD chunk(std::size_t size) {
    return size > (DWORD{1} << 30) ? (DWORD{1} << 30) : static_cast<DWORD>(size);
}

// The system's text for an error, as code-page bytes, without the line end
// and the full stop Windows puts after it (the messages add their own).
std::string systemText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    for (DWORD i = 0; i < length; ++i) {
        unsigned char byte = '?';
        cp1252::fromUnicode(static_cast<char32_t>(buffer[i]), byte);
        text += static_cast<char>(byte);
    }
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty())
        text = "Windows error " + std::to_string(code);
    return text;
}

void fill(DWORD attributes, std::uint64_t size, Status& status) {
    status.directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.regular = !status.directory && (attributes & FILE_ATTRIBUTE_DEVICE) == 0;
    status.size = static_cast<std::int64_t>(size);
}

} // namespace

int open(const PathChar* path, int flags, int /*mode*/) {
    const HANDLE handle =
        CreateFileW(path, accessFor(flags), FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, dispositionFor(flags), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failWithLast();
    return addFile(handle, (flags & O_APPEND) != 0);
}

long write(int fd, const void* data, std::size_t size) {
    const OpenFile file = fileOf(fd);
    if (file.handle == INVALID_HANDLE_VALUE)
        return fail(ERROR_INVALID_HANDLE);
    if (file.append && !SetFilePointerEx(file.handle, LARGE_INTEGER{}, nullptr, FILE_END))
        return failWithLast();
    DWORD written = 0;
    if (!WriteFile(file.handle, data, chunk(size), &written, nullptr))
        return failWithLast();
    return static_cast<long>(written);
}

long read(int fd, void* buffer, std::size_t size) {
    const OpenFile file = fileOf(fd);
    if (file.handle == INVALID_HANDLE_VALUE)
        return fail(ERROR_INVALID_HANDLE);
    DWORD got = 0;
    if (!ReadFile(file.handle, buffer, chunk(size), &got, nullptr))
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : failWithLast();
    return static_cast<long>(got);
}

long readAt(int fd, void* buffer, std::size_t size, std::int64_t offset) {
    const OpenFile file = fileOf(fd);
    if (file.handle == INVALID_HANDLE_VALUE)
        return fail(ERROR_INVALID_HANDLE);
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    DWORD got = 0;
    if (!ReadFile(file.handle, buffer, chunk(size), &got, &at))
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : failWithLast();
    return static_cast<long>(got);
}

int sync(int fd) {
    const OpenFile file = fileOf(fd);
    if (file.handle == INVALID_HANDLE_VALUE)
        return fail(ERROR_INVALID_HANDLE);
    return FlushFileBuffers(file.handle) ? 0 : failWithLast();
}

// Windows has no call that starts the flush without waiting for it.
void startWriteBack(int) {}

int truncate(int fd, long long length) {
    const OpenFile file = fileOf(fd);
    if (file.handle == INVALID_HANDLE_VALUE)
        return fail(ERROR_INVALID_HANDLE);
    LARGE_INTEGER end;
    end.QuadPart = length;
    if (!SetFilePointerEx(file.handle, end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.handle))
        return failWithLast();
    return 0;
}

int close(int fd) {
    HANDLE handle = INVALID_HANDLE_VALUE;
    {
        std::lock_guard<std::mutex> guard(tableMutex);
        if (fd >= 0 && static_cast<std::size_t>(fd) < openFiles.size())
            handle =
                std::exchange(openFiles[static_cast<std::size_t>(fd)].handle, INVALID_HANDLE_VALUE);
    }
    if (handle == INVALID_HANDLE_VALUE)
        return fail(ERROR_INVALID_HANDLE);
    return CloseHandle(handle) ? 0 : failWithLast();
}

int rename(const PathChar* from, const PathChar* to) {
    if (!MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failWithLast();
    return 0;
}

int unlink(const PathChar* path) {
    return DeleteFileW(path) ? 0 : failWithLast();
}

int tryLock(int fd, int operation) {
    const OpenFile file = fileOf(fd);
    if (file.handle == INVALID_HANDLE_VALUE)
        return fail(ERROR_INVALID_HANDLE);
    OVERLAPPED from{};
    const DWORD kind =
        LOCKFILE_FAIL_IMMEDIATELY | ((operation & LOCK_EX) ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (!LockFileEx(file.handle, kind, 0, MAXDWORD, MAXDWORD, &from))
        return failWithLast();
    return 0;
}

int status(int fd, Status& status) {
    const OpenFile file = fileOf(fd);
    if (file.handle == INVALID_HANDLE_VALUE)
        return fail(ERROR_INVALID_HANDLE);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.handle, &info))
        return failWithLast();
    fill(info.dwFileAttributes,
         (std::uint64_t{info.nFileSizeHigh} << 32) | std::uint64_t{info.nFileSizeLow}, status);
    status.device = info.dwVolumeSerialNumber;
    status.id = (std::uint64_t{info.nFileIndexHigh} << 32) | std::uint64_t{info.nFileIndexLow};
    const std::int64_t written =
        static_cast<std::int64_t>((std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
                                  std::uint64_t{info.ftLastWriteTime.dwLowDateTime});
    // FILETIME counts 100 ns from 1601.
    constexpr std::int64_t kFrom1601To1970 = 116444736000000000;
    status.modifiedNs = (written - kFrom1601To1970) * 100;
    status.changedNs = status.modifiedNs;
    return 0;
}

int pathStatus(const PathChar* path, Status& status) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &info))
        return failWithLast();
    fill(info.dwFileAttributes,
         (std::uint64_t{info.nFileSizeHigh} << 32) | std::uint64_t{info.nFileSizeLow}, status);
    return 0;
}

void copyPermissions(const PathChar*, int) {}

// NTFS logs its directory changes; a rename is written through and a new
// file's entry goes to disk with the file's own flush.
// Left empty: a directory can be flushed on Windows only through a handle
// that needs administrator rights, and NTFS keeps its directory changes in its
// own log; a replace asks MoveFileExW to write through (MOVEFILE_WRITE_THROUGH).
void syncDirectory(const PathChar*) {}

unsigned long processId() {
    return GetCurrentProcessId();
}

FileError lastError() {
    if (errno != kWindowsFailure)
        return FileError::fromErrno(errno);
    FileError error;
    error.number = static_cast<int>(lastWindowsError);
    error.text = systemText(lastWindowsError);
    return error;
}

// Windows says "path not found" both when a directory is missing and when a
// file stands in its place; only the first is a missing file.
bool isMissing(const FileError& error, const std::filesystem::path& path) {
    if (error.number != ERROR_PATH_NOT_FOUND)
        return error.number == ERROR_FILE_NOT_FOUND; // ENOENT of the test doubles too
    static_assert(ENOENT == ERROR_FILE_NOT_FOUND);
    for (std::filesystem::path up = path.parent_path(); !up.empty() && up != up.parent_path();
         up = up.parent_path()) {
        const DWORD attributes = GetFileAttributesW(up.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    return true;
}

// The C run-time's number is taken as well: the test doubles of the file
// operations fail with it on every system.

bool isAbsent(const FileError& error) {
    switch (static_cast<DWORD>(error.number)) {
    case ERROR_FILE_NOT_FOUND: // ENOENT of the test doubles too
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return true;
    default:
        return false;
    }
}

bool isLockHeld(const FileError& error) {
    return error.number == ERROR_LOCK_VIOLATION;
}

} // namespace orvik::systemfile
