#include "workfile/readerimport.h"
#include "files/ownfiles.h"

#include <filesystem>
#include <utility>
#include <vector>

#include "files/blockcopy.h"
#include "files/dirvalue.h"
#include "files/filefailure.h"
#include "files/filestatus.h"
#include "files/safewrite.h"
#include "journal/stepnotices.h"
#include "text/codepage.h"
#include "workfile/importer.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;

using namespace orvik::literals;

// "Ei tuotua tiedostoa", and when the reader software's directory itself is
// not there, that the value the user typed is the thing to mend.
std::string nothingToImportText(const std::string& readerDir, const std::string& sourceName) {
    std::string text = "Ei tuotua tiedostoa: " + sourceName;
    if (!readerDir.empty() && knownNotADirectory(directoryOf(fsPath(sourceName))))
        text += ". Vorda -hakemistoa " + readerDir + " ei ole. Korjaa Vorda -hakemisto. ";
    return text;
}

ReaderSoftwareImport notImported(const std::string& why) {
    return {ReaderSoftwareImport::Outcome::Failed, 0, why + "Tietoja ei tuotu. "_cp, {}};
}

std::string whyNotTaken(const ImportResult& imported) {
    if (!imported.blockedBy.empty())
        return unsettledStepText(imported.blockedBy.front());
    return fileFailureText(imported.error);
}

// Takes the pending count into the work file; its removal is the end of the
// same journalled step, so a crash can neither lose it nor take it twice.
// Nothing is taken when it returns false, with the reason in `why`.
bool takePending(const std::string& datPolku, Clock& clock, ReaderSoftwareImport& result,
                 std::string& why) {
    const ImportResult imported = tuodata(kPendingCountName, datPolku, clock,
                                          StepEnd{{fs::absolute(kPendingCountName)}, {}, {}});
    if (imported.error.failed()) {
        why = whyNotTaken(imported);
        return false;
    }
    result.outcome = ReaderSoftwareImport::Outcome::Imported;
    result.lineCount += imported.lineCount;
    if (imported.endError.failed())
        result.warning = takenSourceLeftText(imported.endError);
    return true;
}

// The waiting count is in, the reader software's new file is not: the
// import stands, with a warning that says both.
ReaderSoftwareImport onlyWaitingTaken(ReaderSoftwareImport waiting, const std::string& why,
                                      const std::string& sourceName, bool movedToPending) {
    const std::string pendingName = cpPath(fs::absolute(kPendingCountName));
    std::string text = " Odottaneen tiedoston " + pendingName +
                       " tiedot on otettu työtiedostoon."_cp + why + "Tiedoston " + sourceName +
                       " tietoja ei tuotu";
    if (movedToPending)
        text += "; ne odottavat tiedostossa " + pendingName + " seuraavaa tuontia";
    waiting.warning = text + ". ";
    return waiting;
}

// The count is copied into "pnqty.dat" and the source removed as one
// journalled step, never renamed: a rename between two directories can be
// half done by a power cut (both names kept, or neither), while the copy is
// flushed, file and directory, before the source goes, and recovery finishes
// a step whose copy stands. A failure is told as the source not moved.
FileError moveToPending(const fs::path& source, const std::string& datPolku, Clock& clock) {
    StepPlan plan;
    plan.kind = StepKind::Import;
    const std::string header = logHeaderLine(clock);
    plan.startedAt = header.substr(0, header.size() - 2);
    plan.write = [&source](AppendSession&) {
        FileError error = copyFileReplacing(source, kPendingCountName);
        if (error.failed()) {
            error.operation = FileOperation::Move;
            error.path = cpPath(source);
        }
        return error;
    };
    plan.end.moves.push_back({source, fs::absolute(kPendingCountName)});
    const StepOutcome outcome = runJournalledStep(datPolku, plan);
    if (!outcome.error.failed() && outcome.endError.failed())
        return outcome.endError;
    return outcome.error;
}

// The reader software's new file, once a waiting count (when there was
// one) is in `result`.
ReaderSoftwareImport takeNewFile(const fs::path& source, const std::string& sourceName,
                                 const std::string& datPolku, Clock& clock,
                                 ReaderSoftwareImport result, bool tookWaiting) {
    // A taken count that could not be removed stops the next one.
    if (!result.warning.empty()) {
        result.warning += "Tiedoston " + sourceName + " tietoja ei tuotu. ";
        return result;
    }
    const FileError moveError = moveToPending(source, datPolku, clock);
    std::string why;
    if (!moveError.failed() && takePending(datPolku, clock, result, why))
        return result;
    if (moveError.failed())
        why = fileFailureText(moveError);
    if (!tookWaiting)
        return notImported(why);
    return onlyWaitingTaken(std::move(result), why, sourceName, !moveError.failed());
}

} // namespace

ReaderSoftwareImport importReaderSoftwareCount(const std::string& readerDir,
                                               const std::string& datPolku, Clock& clock) {
    // A step a crash or a refused removal left unfinished is settled first,
    // so that a count already taken is not seen as waiting; one that cannot
    // be settled refuses the import before any file is touched.
    const std::vector<RecoveredStep> blocking = stepsBlocking(StepKind::Import, datPolku);
    const std::string sourceName = readerSoftwareFilePath(readerDir);
    const fs::path source = fsPath(sourceName);
    const bool hasSource = isRegularFile(source);
    const bool hasPending = isRegularFile(kPendingCountName);
    if (!hasSource && !hasPending)
        return {ReaderSoftwareImport::Outcome::NothingToImport,
                0,
                nothingToImportText(readerDir, sourceName),
                {}};
    if (!blocking.empty())
        return notImported(unsettledStepText(blocking.front()));
    // Told before the count is moved: it stays where the reader software
    // left it until the directory is mended.
    if (const std::string missing = workDirMissingText(datPolku); !missing.empty())
        return notImported(missing);

    ReaderSoftwareImport result;
    std::string why;
    if (hasPending && !takePending(datPolku, clock, result, why))
        return notImported(why);
    if (!hasSource)
        return result;
    return takeNewFile(source, sourceName, datPolku, clock, std::move(result), hasPending);
}

std::string importedCountCaption(std::int64_t lineCount) {
    return "Rivejä käsitelty: "_cp + std::to_string(lineCount) + " kpl";
}

} // namespace orvik
