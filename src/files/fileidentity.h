#pragma once
// What tells one state of a file from another without reading it: the file
// itself (device and id), its length and its last changes to the
// nanosecond. A file rewritten or replaced gets another identity.
#include <cstdint>
#include <filesystem>
#include <optional>

namespace orvik {

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t id = 0;
    std::int64_t size = 0;
    // The content's last change, and the last change of anything about it.
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Nothing when the file cannot be looked at.
std::optional<FileIdentity> identityOf(const std::filesystem::path& path);

} // namespace orvik
