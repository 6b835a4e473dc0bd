#include "review/fileidentity.h"

#include <sys/stat.h>

namespace orvik {

std::optional<FileIdentity> identityOf(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino),
                        static_cast<std::int64_t>(info.st_size),
                        static_cast<std::int64_t>(info.st_mtim.tv_sec),
                        static_cast<std::int64_t>(info.st_mtim.tv_nsec),
                        static_cast<std::int64_t>(info.st_ctim.tv_sec),
                        static_cast<std::int64_t>(info.st_ctim.tv_nsec)};
}

} // namespace orvik
