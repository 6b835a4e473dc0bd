#include "files/blockcopy.h"
#include "files/dirvalue.h"

#include "files/blockread.h"
#include "files/fileops.h"
#include "files/rawfile.h"
#include "files/systemfile.h"

namespace orvik {

namespace {

FileError copyToNewFile(const std::filesystem::path& from, const std::filesystem::path& temporary,
                        const std::filesystem::path& to) {
    const int target =
        fileOps().open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (target < 0)
        return lastFileError().about(FileOperation::Write, to);
    FileError error = readInBlocks(
        from,
        [&](std::string_view block) {
            return writeAll(target, block).about(FileOperation::Write, to);
        },
        /*denyWriters=*/false, kCopyBlockSize);
    if (!error.failed() && fileOps().fsync(target) != 0)
        error = lastFileError().about(FileOperation::Write, to);
    if (fileOps().close(target) != 0 && !error.failed())
        error = lastFileError().about(FileOperation::Write, to);
    return error;
}

} // namespace

FileError copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    const std::filesystem::path temporary = temporaryBeside(to);
    FileError error = copyToNewFile(from, temporary, to);
    if (!error.failed() && fileOps().rename(temporary.c_str(), to.c_str()) != 0)
        error = lastFileError().about(FileOperation::Write, to);
    if (error.failed())
        fileOps().unlink(temporary.c_str());
    else
        syncDirectory(directoryOf(to));
    return error;
}

} // namespace orvik
