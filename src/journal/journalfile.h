#pragma once
// The bytes of a step journal: what the step appends to, how long each file
// was before, what finishes the step, and whether the lines are all in.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/safewrite.h"

namespace orvik {

enum class StepKind { Import, HandOver, ZeroRows };

// What finishes a step once its lines are on disk; doing it twice is the
// same as doing it once.
struct StepEnd {
    std::vector<std::filesystem::path> remove;
    std::vector<FileContent> replace;
    // A copy moved into place under `to` replaces `from`: once `to` exists,
    // `from` goes, even when the step did not get as far as its end.
    struct Move {
        std::filesystem::path from;
        std::filesystem::path to;
    };
    std::vector<Move> moves;
};

struct JournalRecord {
    struct Target {
        std::filesystem::path path;
        long long oldLength = -1; // -1: the step creates the file
    };
    StepKind kind = StepKind::Import;
    std::string startedAt;
    std::vector<Target> targets;
    StepEnd end;
    bool complete = false;
};

// A journal is marked complete by appending this to it in place: a mark
// torn by a crash reads as not complete, which is the safe side.
inline constexpr std::string_view kJournalCompleteMark = "complete\n";

// A complete record is its incomplete encoding followed by the mark.
std::string encodeJournal(const JournalRecord& record);
// Nothing when the bytes are not a whole journal.
std::optional<JournalRecord> decodeJournal(std::string_view bytes);

} // namespace orvik
