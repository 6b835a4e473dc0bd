#include "workfile/readerimport.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/codepage.h"
#include "common/dirvalue.h"
#include "common/safewrite.h"
#include "workfile/importer.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Takes the pending count into the work file, then removes it.
FileError takePending(const std::string& datPolku, Clock& clock, std::int64_t& lineCount) {
    const ImportResult imported = tuodata(kPendingCountName, datPolku, clock);
    if (imported.error.failed())
        return imported.error;
    lineCount += imported.lineCount;
    return removeFile(kPendingCountName);
}

// Another file system cannot take a rename: copy, then remove the source. A
// source that cannot be removed takes the copy back, so the count is never
// in both places.
FileError copyToPending(const fs::path& source) {
    std::string content;
    FileError error = readWholeFile(source, content);
    if (!error.failed())
        error = replaceFile(kPendingCountName, content);
    if (error.failed())
        return error;
    error = removeFile(source);
    if (error.failed())
        removeFile(kPendingCountName);
    return error;
}

FileError moveToPending(const fs::path& source) {
    if (fileOps().rename(source.c_str(), kPendingCountName) == 0)
        return {};
    const int renameError = errno;
    if (renameError == EXDEV)
        return copyToPending(source);
    return FileError::fromErrno(renameError);
}

ReaderSoftwareImport failedImport(const FileError& error) {
    return {ReaderSoftwareImport::Outcome::Failed, 0, error.message()};
}

} // namespace

ReaderSoftwareImport importReaderSoftwareCount(const std::string& readerDir,
                                               const std::string& datPolku, Clock& clock) {
    const std::string sourceName = readerDir + kReaderSoftwareFileName;
    const fs::path source = fsPath(sourceName);
    const bool hasSource = isFile(source);
    const bool hasPending = isFile(kPendingCountName);
    if (!hasSource && !hasPending)
        return {ReaderSoftwareImport::Outcome::NothingToImport, 0,
                "Ei tuotua tiedostoa: " + sourceName};

    std::int64_t lineCount = 0;
    if (hasPending) {
        if (FileError error = takePending(datPolku, clock, lineCount); error.failed())
            return failedImport(error);
    }
    if (hasSource) {
        if (FileError error = moveToPending(source); error.failed())
            return failedImport(error);
        if (FileError error = takePending(datPolku, clock, lineCount); error.failed())
            return failedImport(error);
    }
    return {ReaderSoftwareImport::Outcome::Imported, lineCount, {}};
}

std::string importedCountCaption(std::int64_t lineCount) {
    using namespace literals;
    return "Rivejä käsitelty: "_cp + std::to_string(lineCount) + " kpl";
}

} // namespace orvik
