#include "journal/stepjournal.h"
#include "files/fileops.h"
#include "files/ownfiles.h"

#include <cerrno>

#include "files/dirvalue.h"
#include "files/rawfile.h"
#include "files/systemfile.h"

namespace orvik {

namespace {

namespace fs = std::filesystem;

constexpr StepKind kAllKinds[] = {StepKind::Import, StepKind::HandOver, StepKind::ZeroRows};

const char* journalName(StepKind kind) {
    switch (kind) {
    case StepKind::Import:
        return kImportJournalName;
    case StepKind::HandOver:
        return kHandOverJournalName;
    case StepKind::ZeroRows:
        return kZeroRowJournalName;
    }
    return "orvik.jnl";
}

bool fileExists(const fs::path& path) {
    systemfile::Status info;
    return fileOps().pathStatus(path.c_str(), info) == 0;
}

// Cuts a file back to `length` and flushes it.
FileError cutBack(const fs::path& path, long long length) {
    const int fd = fileOps().open(path.c_str(), O_WRONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return lastFileError().about(FileOperation::Write, path);
    FileError error;
    if (fileOps().ftruncate(fd, length) != 0 || fileOps().fsync(fd) != 0)
        error = lastFileError().about(FileOperation::Write, path);
    fileOps().close(fd);
    return error;
}

FileError settleMoves(const StepEnd& end) {
    for (const StepEnd::Move& move : end.moves)
        if (fileExists(move.to))
            if (FileError error = removeFileDurably(move.from); error.failed())
                return error;
    return {};
}

FileError finishEnd(const StepEnd& end) {
    if (FileError error = settleMoves(end); error.failed())
        return error;
    for (const fs::path& path : end.remove)
        if (FileError error = removeFileDurably(path); error.failed())
            return error;
    if (!end.replace.empty())
        return replaceFiles(end.replace);
    return {};
}

// Puts a target back as it was before the step, unless another program has
// changed it since: then it is left as found and named.
FileError rollBackTarget(const JournalRecord::Target& target, RecoveredStep& recovered) {
    systemfile::Status info;
    if (fileOps().pathStatus(target.path.c_str(), info) != 0) {
        if (target.oldLength >= 0)
            recovered.changedFiles.push_back(cpPath(target.path));
        return {};
    }
    if (target.oldLength < 0)
        return removeFileDurably(target.path);
    if (info.size < target.oldLength) {
        recovered.changedFiles.push_back(cpPath(target.path));
        return {};
    }
    if (info.size == target.oldLength)
        return {};
    return cutBack(target.path, target.oldLength);
}

FileError settle(const JournalRecord& record, RecoveredStep& recovered) {
    if (record.complete) {
        recovered.outcome = RecoveredStep::Outcome::Finished;
        return finishEnd(record.end);
    }
    recovered.outcome = RecoveredStep::Outcome::RolledBack;
    if (FileError error = settleMoves(record.end); error.failed())
        return error;
    for (const JournalRecord::Target& target : record.targets)
        if (FileError error = rollBackTarget(target, recovered); error.failed())
            return error;
    return {};
}

// Recovers one journal; false when there was none.
bool recoverJournal(const fs::path& path, StepKind kind, RecoveredStep& recovered) {
    recovered.kind = kind;
    if (!fileExists(path))
        return false;
    std::string bytes;
    FileError error = readWholeFile(path, bytes);
    std::optional<JournalRecord> record;
    if (!error.failed()) {
        record = decodeJournal(bytes);
        if (!record)
            error = FileError::fromErrno(EILSEQ).about(FileOperation::Read, path);
    }
    if (record) {
        recovered.startedAt = record->startedAt;
        recovered.complete = record->complete;
        error = settle(*record, recovered);
    }
    if (!error.failed())
        error = removeFileDurably(path);
    if (error.failed()) {
        recovered.outcome = RecoveredStep::Outcome::Unsettled;
        recovered.error = error;
    }
    return true;
}

// Whether an unsettled step must keep `next` from running: a step whose
// lines may be partly in blocks everything; a finished one whose end is
// missing blocks what would take its source again or append to its file.
bool blocks(const RecoveredStep& pending, StepKind next) {
    if (pending.outcome != RecoveredStep::Outcome::Unsettled)
        return false;
    if (!pending.complete || pending.kind == next)
        return true;
    return pending.kind == StepKind::HandOver && next == StepKind::Import;
}

JournalRecord journalOf(const StepPlan& plan, const AppendSession& session) {
    JournalRecord record;
    record.kind = plan.kind;
    record.startedAt = plan.startedAt;
    for (const AppendSession::Target& target : session.targets())
        record.targets.push_back({target.path, target.oldLength});
    record.end = plan.end;
    return record;
}

// Creates the missing targets once the journal is renamed into place, then
// flushes the directory once for the journal's entry and theirs (the
// journal's replacement leaves it to us). Nothing is appended before that
// flush returns; a power cut before it may keep new, empty targets without
// the journal: they hold no line, and the step done again appends to them.
FileError createTargets(const fs::path& journal, AppendSession& session) {
    const FileError error = session.createMissing();
    const fs::path directory = directoryOf(journal);
    syncDirectory(directory);
    session.entriesFlushedIn(directory);
    return error;
}

FileError appendLines(const StepPlan& plan, AppendSession& session) {
    FileError error = session.endOpenLastLines();
    if (!error.failed() && plan.write)
        error = plan.write(session);
    if (!error.failed())
        error = session.sync();
    return error;
}

// Marks the journal complete in place: one flush of the journal where a
// rewrite would flush a new file and the directory. The journal's entry is
// already on disk, and a mark torn by a crash reads as not complete. On
// failure the mark is cut off again; `undone` says whether that worked, so
// that no complete mark can stand over lines that were rolled back.
FileError markComplete(const fs::path& journal, std::size_t unmarkedLength, bool& undone) {
    undone = true;
    const int fd = fileOps().open(journal.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC, 0);
    if (fd < 0)
        return lastFileError().about(FileOperation::Write, journal);
    FileError error = writeAll(fd, kJournalCompleteMark);
    if (!error.failed() && fileOps().fsync(fd) != 0)
        error = lastFileError();
    if (error.failed())
        undone = fileOps().ftruncate(fd, static_cast<long long>(unmarkedLength)) == 0 &&
                 fileOps().fsync(fd) == 0;
    fileOps().close(fd);
    return error.about(FileOperation::Write, journal);
}

} // namespace

std::string journalPath(const std::string& datPolku, StepKind kind) {
    return inDir(datPolku, journalName(kind));
}

std::vector<RecoveredStep> recoverSteps(const std::string& datPolku) {
    std::vector<RecoveredStep> recovered;
    for (StepKind kind : kAllKinds) {
        RecoveredStep step;
        if (recoverJournal(fsPath(journalPath(datPolku, kind)), kind, step))
            recovered.push_back(std::move(step));
    }
    return recovered;
}

std::vector<RecoveredStep> stepsBlocking(StepKind next, const std::string& datPolku) {
    std::vector<RecoveredStep> blocking;
    for (RecoveredStep& pending : recoverSteps(datPolku))
        if (blocks(pending, next))
            blocking.push_back(std::move(pending));
    return blocking;
}

StepOutcome runJournalledStep(const std::string& datPolku, const StepPlan& plan) {
    StepOutcome outcome;
    outcome.blockedBy = stepsBlocking(plan.kind, datPolku);
    if (!outcome.blockedBy.empty()) {
        outcome.error = outcome.blockedBy.front().error;
        return outcome;
    }

    const fs::path journal = fsPath(journalPath(datPolku, plan.kind));
    JournalRecord record;
    {
        AppendSession session(plan.targets);
        outcome.error = session.openExisting();
        if (outcome.error.failed())
            return outcome;
        record = journalOf(plan, session);
        const std::string unmarked = encodeJournal(record);
        outcome.error = replaceFile(journal, unmarked, EntryFlush::ByCaller);
        if (outcome.error.failed())
            return outcome;
        outcome.error = createTargets(journal, session);
        if (!outcome.error.failed())
            outcome.error = appendLines(plan, session);
        bool markUndone = true;
        if (!outcome.error.failed()) {
            record.complete = true;
            outcome.error = markComplete(journal, unmarked.size(), markUndone);
        }
        if (outcome.error.failed()) {
            // A mark that may stand leaves the lines as they are: they are
            // on disk, and recovery either finishes the step or cuts them
            // back, as the journal on disk says. Without a clean rollback the
            // journal stays likewise, for recovery to cut the files back.
            if (markUndone && !session.rollBack().failed())
                removeFileDurably(journal);
            return outcome;
        }
    }
    outcome.endError = finishEnd(record.end);
    if (!outcome.endError.failed())
        outcome.endError = removeFileDurably(journal);
    return outcome;
}

} // namespace orvik
