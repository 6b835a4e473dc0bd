#include "support/systemsays.h"

#include <cerrno>

#include "files/fileops.h"
#include "files/systemfile.h"
#include "support/files.h"
#include "support/tempdir.h"

#ifdef _WIN32
#include <windows.h>
#include <winioctl.h>
#endif

namespace orvik::test {

std::string separator() {
    return std::string(1, static_cast<char>(std::filesystem::path::preferred_separator));
}

FileError fileInPlaceOfDirectory() {
#ifdef _WIN32
    TempDir dir;
    writeFile(dir / "plain", "x");
    const int fd = systemfile::open((dir / "plain" / "name").c_str(), O_RDONLY, 0);
    FileError error = lastFileError();
    if (fd >= 0)
        systemfile::close(fd);
    return error;
#else
    return FileError::fromErrno(ENOTDIR);
#endif
}

FileError directoryInPlaceOfFile() {
#ifdef _WIN32
    TempDir dir;
    std::filesystem::create_directory(dir / "directory");
    const int fd = systemfile::open((dir / "directory").c_str(), O_RDONLY, 0);
    FileError error = lastFileError();
    if (fd >= 0)
        systemfile::close(fd);
    return error;
#else
    return FileError::fromErrno(EISDIR);
#endif
}

void resizeSparse(const std::filesystem::path& path, std::uintmax_t length) {
#ifdef _WIN32
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::filesystem::filesystem_error("cannot open", path, std::error_code());
    DWORD unused = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(length);
    const bool resized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!resized)
        throw std::filesystem::filesystem_error("cannot resize", path, std::error_code());
#else
    std::filesystem::resize_file(path, length);
#endif
}

} // namespace orvik::test
