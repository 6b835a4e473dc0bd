#include "files/dircheck.h"

#include "files/dirvalue.h"
#include "files/fileops.h"
#include "files/rawfile.h"
#include "files/systemfile.h"

namespace orvik {

namespace fs = std::filesystem;

DirCheck checkDirValue(const std::string& value, std::span<const char* const> ownFileNames,
                       bool writable) {
    if (value.empty())
        return {};
    // Where the program's files go: the value itself, or for a bare prefix
    // the directory the prefix lies in.
    const bool barePrefix = !endsWithDirSeparator(value) && ownFileUnder(value, ownFileNames);
    const fs::path directory = barePrefix ? directoryOf(fsPath(value)) : fsPath(value);
    systemfile::Status status;
    if (fileOps().pathStatus(directory.c_str(), status) != 0)
        return {DirProblem::Missing, lastFileError()};
    if (!status.directory)
        return {DirProblem::NotADirectory, {}};
    if (!writable)
        return {};

    const fs::path probe = temporaryBeside(fsPath(inDir(value, "orvik.kokeilu")));
    const int fd = fileOps().open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        FileError error = lastFileError();
        error.about(FileOperation::Write, probe);
        return {DirProblem::NotWritable, error};
    }
    fileOps().close(fd);
    fileOps().unlink(probe.c_str());
    return {};
}

} // namespace orvik
