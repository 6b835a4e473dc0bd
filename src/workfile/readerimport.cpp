#include "workfile/readerimport.h"
#include "common/ownfiles.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/codepage.h"
#include "common/dirvalue.h"
#include "common/filefailure.h"
#include "common/rawfile.h"
#include "common/safewrite.h"
#include "common/stepnotices.h"
#include "common/systemfile.h"
#include "workfile/importer.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;

using namespace orvik::literals;

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string notImportedText(const ImportResult& imported) {
    if (!imported.blockedBy.empty())
        return unsettledStepText(imported.blockedBy.front()) + "Tietoja ei tuotu. "_cp;
    return fileFailureText(imported.error) + "Tietoja ei tuotu. "_cp;
}

// Takes the pending count into the work file; its removal is the end of the
// same journalled step, so a crash can neither lose it nor take it twice.
bool takePending(const std::string& datPolku, Clock& clock, ReaderSoftwareImport& result) {
    const ImportResult imported = tuodata(kPendingCountName, datPolku, clock,
                                          StepEnd{{fs::absolute(kPendingCountName)}, {}, {}});
    if (imported.error.failed()) {
        result = {ReaderSoftwareImport::Outcome::Failed, 0, notImportedText(imported), {}};
        return false;
    }
    result.outcome = ReaderSoftwareImport::Outcome::Imported;
    result.lineCount += imported.lineCount;
    if (imported.endError.failed())
        result.warning = takenSourceLeftText(imported.endError);
    return true;
}

// Another file system cannot take a rename: copy, then remove the source,
// as one journalled step, so the count is never in both places.
FileError copyToPending(const fs::path& source, const std::string& datPolku, Clock& clock) {
    StepPlan plan;
    plan.kind = StepKind::Import;
    const std::string header = logHeaderLine(clock);
    plan.startedAt = header.substr(0, header.size() - 2);
    plan.write = [&source](AppendSession&) {
        std::string content;
        FileError error = readWholeFile(source, content);
        if (!error.failed())
            error = replaceFile(kPendingCountName, content);
        return error;
    };
    plan.end.moves.push_back({source, fs::absolute(kPendingCountName)});
    const StepOutcome outcome = runJournalledStep(datPolku, plan);
    if (!outcome.error.failed() && outcome.endError.failed())
        return outcome.endError;
    return outcome.error;
}

FileError moveToPending(const fs::path& source, const std::string& datPolku, Clock& clock) {
    if (fileOps().rename(source.c_str(), fs::path(kPendingCountName).c_str()) == 0)
        return {};
    FileError error = lastFileError();
    if (systemfile::crossesDevices(error))
        return copyToPending(source, datPolku, clock);
    error.about(FileOperation::Move, source);
    return error;
}

} // namespace

ReaderSoftwareImport importReaderSoftwareCount(const std::string& readerDir,
                                               const std::string& datPolku, Clock& clock) {
    // A step a crash or a refused removal left unfinished is settled first,
    // so that a count already taken is not seen as waiting.
    recoverSteps(datPolku);
    const std::string sourceName = readerSoftwareFilePath(readerDir);
    const fs::path source = fsPath(sourceName);
    const bool hasSource = isFile(source);
    const bool hasPending = isFile(kPendingCountName);
    if (!hasSource && !hasPending)
        return {ReaderSoftwareImport::Outcome::NothingToImport,
                0,
                "Ei tuotua tiedostoa: " + sourceName,
                {}};

    ReaderSoftwareImport result;
    if (hasPending && !takePending(datPolku, clock, result))
        return result;
    if (hasSource && result.warning.empty()) {
        if (FileError error = moveToPending(source, datPolku, clock); error.failed())
            return {ReaderSoftwareImport::Outcome::Failed,
                    0,
                    fileFailureText(error) + "Tietoja ei tuotu. "_cp,
                    {}};
        if (!takePending(datPolku, clock, result))
            return result;
    }
    return result;
}

std::string importedCountCaption(std::int64_t lineCount) {
    return "Rivejä käsitelty: "_cp + std::to_string(lineCount) + " kpl";
}

} // namespace orvik
