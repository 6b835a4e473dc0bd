#include "workfile/importer.h"
#include "files/ownfiles.h"

#include <cerrno>
#include <new>

#include "files/blockread.h"
#include "files/dirvalue.h"
#include "files/filestatus.h"
#include "text/codepage.h"
#include "workfile/crlfstream.h"

namespace orvik {

namespace {

enum Target : std::size_t { kWorkFile, kLog };

// Copies the source's lines to both files, block by block.
FileError copyLines(const std::filesystem::path& source, const std::string& header,
                    AppendSession& files, std::int64_t& lineCount) {
    if (FileError error = files.append(kLog, header); error.failed())
        return error;
    CrLfStream lines;
    std::string converted;
    auto appendConverted = [&]() -> FileError {
        FileError error = files.append(kWorkFile, converted);
        if (!error.failed())
            error = files.append(kLog, converted);
        converted.clear();
        return error;
    };
    FileError error = readInBlocks(source, [&](std::string_view block) {
        if (!lines.takeUnchanged(block)) {
            lines.feed(block, converted);
            return appendConverted();
        }
        FileError written = files.append(kWorkFile, block);
        return written.failed() ? written : files.append(kLog, block);
    });
    if (!error.failed()) {
        lines.finish(converted);
        error = appendConverted();
    }
    lineCount = lines.count();
    return error;
}

} // namespace

std::string workDirMissingText(const std::string& datPolku) {
    using namespace literals;
    // A directory that is there but can't be looked into is told by the
    // failure itself.
    if (!knownNotADirectory(directoryOf(fsPath(workFilePath(datPolku)))))
        return {};
    return " Dat-hakemistoa " + datPolku +
           " ei ole. Luo hakemisto tai korjaa Dat-hakemisto ja käynnistä Orvik uudelleen. "_cp;
}

std::string logHeaderLine(Clock& clock) {
    return clockStamp(clock) + "\r\n";
}

ImportResult tuodata(const std::filesystem::path& source, const std::string& datPolku, Clock& clock,
                     const StepEnd& end) {
    const std::string header = logHeaderLine(clock);
    std::int64_t lineCount = 0;
    StepPlan plan;
    plan.kind = StepKind::Import;
    plan.startedAt = header.substr(0, header.size() - 2);
    plan.targets = {fsPath(workFilePath(datPolku)), fsPath(logFilePath(datPolku))};
    plan.write = [&](AppendSession& files) {
        try {
            return copyLines(source, header, files, lineCount);
        } catch (const std::bad_alloc&) {
            // Nothing stays appended: the step rolls back.
            return FileError::fromErrno(ENOMEM).about(FileOperation::Read, source);
        }
    };
    plan.end = end;

    const StepOutcome outcome = runJournalledStep(datPolku, plan);
    ImportResult result;
    result.error = outcome.error;
    result.endError = outcome.endError;
    result.blockedBy = outcome.blockedBy;
    if (!result.error.failed())
        result.lineCount = lineCount;
    return result;
}

} // namespace orvik
