#pragma once
// A rollback journal for the steps that append to the program's line files:
// taking a count into the work file, handing it over to the transfer file,
// writing zero rows. A crash or power cut at any instant leaves every line
// exactly once once the journal has been recovered.
//
// A step runs: journal written (the targets and their lengths), lines
// appended and flushed, journal marked complete, the step's end (its source
// removed, the work file removed or rewritten), journal removed. Recovery of
// a journal not marked complete cuts each target back to its recorded
// length, so the step's source, still in place, is taken again exactly once;
// recovery of a complete one only finishes the end.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "files/appendsession.h"
#include "files/safewrite.h"
#include "journal/journalfile.h"

namespace orvik {

struct StepPlan {
    StepKind kind = StepKind::Import;
    std::string startedAt; // "dd.mm.yyyy hh:mm:ss", to tell the user after a crash
    std::vector<std::filesystem::path> targets;
    // Appends the step's bytes; index i of the session is targets[i].
    std::function<FileError(AppendSession&)> write;
    StepEnd end;
};

// What recovery found and did with one journal.
struct RecoveredStep {
    enum class Outcome { RolledBack, Finished, Unsettled };
    StepKind kind = StepKind::Import;
    std::string startedAt;
    Outcome outcome = Outcome::RolledBack;
    bool complete = false; // the lines were all on disk
    // Targets another program shortened or removed meanwhile: left as found.
    std::vector<std::string> changedFiles;
    FileError error; // Unsettled: what could not be done
};

struct StepOutcome {
    FileError error;    // nothing was appended (or a pending step stood in the way)
    FileError endError; // the lines are in; the step's end is left to recovery
    // When an earlier step that recovery could not settle stood in the way.
    std::vector<RecoveredStep> blockedBy;
};

// The journal of a kind of step, in the work-file directory `datPolku`.
std::string journalPath(const std::string& datPolku, StepKind kind);

// Settles every journal in `datPolku`.
std::vector<RecoveredStep> recoverSteps(const std::string& datPolku);

// Settles every journal in `datPolku` and returns the steps it could not
// settle that must keep a step of kind `next` from running.
std::vector<RecoveredStep> stepsBlocking(StepKind next, const std::string& datPolku);

// Recovers the journals first; refuses while an earlier step that touches
// the same files cannot be settled.
StepOutcome runJournalledStep(const std::string& datPolku, const StepPlan& plan);

} // namespace orvik
