#include "safefile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace standin {

namespace {

bool writeAndFlush(const std::filesystem::path& file, const std::string& content) {
#if defined(_WIN32)
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok =
        content.empty() ||
        (WriteFile(handle, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
         written == content.size());
    ok = FlushFileBuffers(handle) && ok;
    return CloseHandle(handle) && ok;
#else
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = ::write(fd, content.data() + done, content.size() - done);
        if (written <= 0) {
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
#endif
}

// Moves the finished temporary file into place.
bool moveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to,
                   bool replace) {
#if defined(_WIN32)
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    return MoveFileExW(from.c_str(), to.c_str(), flags) != 0;
#else
    if (replace)
        return ::rename(from.c_str(), to.c_str()) == 0;
    // A hard link fails when the name is taken, so a file that appeared in
    // the meantime is kept too.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
#endif
}

} // namespace

bool readWholeFile(const std::filesystem::path& file, std::string& content) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeFileSafely(const std::filesystem::path& file, const std::string& content, bool replace) {
    std::filesystem::path temporary = file;
    temporary += ".part";
    std::error_code ignored;
    if (writeAndFlush(temporary, content) && moveIntoPlace(temporary, file, replace))
        return true;
    std::filesystem::remove(temporary, ignored);
    return false;
}

} // namespace standin
