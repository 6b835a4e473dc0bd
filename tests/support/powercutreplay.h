#pragma once
// The states a power cut may leave behind a recorded step (see
// recordingfileops.h), taken before its first call and after every call,
// under a conservative model of what has reached the disk:
// - a file's content is as of its last fsync; what was written since may be
//   there whole, cut part way, or, where it lengthened the file, zeros;
// - a directory's entries are as of its last flush; each change made in it
//   since (a file created or removed, a rename within it) may be there or
//   not, independently of the others;
// - a rename between two directories is a change in each: either may be
//   there without the other, so the file may keep both names or lose both.
// Each distinct state is given once. A check puts a state in place and runs
// start-up recovery and the user's retry on it.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/recordingfileops.h"

namespace orvik::test {

struct PowerCutState {
    std::size_t afterCalls = 0; // how many calls of the record were made
    std::map<std::filesystem::path, std::string> files;
    std::vector<std::string> marks; // the record's marks before the cut
    std::string description;        // where the cut fell and what it kept
};

class PowerCutReplay {
public:
    // Quick takes every combination only where a cut leaves few open
    // changes, otherwise each change and content on its own, and cuts an
    // unflushed write in the middle; Sweep takes all combinations (up to
    // thousands at one cut) and more cutting points.
    enum class Depth { Quick, Sweep };
    // Sweep when the environment variable ORVIK_POWERCUT_SWEEP is set (not "0").
    static Depth depthFromEnvironment();

    // `directories` are where the step works; their files as they stand now
    // are on disk. Files elsewhere are not looked at.
    explicit PowerCutReplay(std::vector<std::filesystem::path> directories);

    std::vector<PowerCutState> states(const std::vector<FileCall>& calls, Depth depth) const;

    // Empties the directories of files and writes the state's files into them.
    void materialise(const PowerCutState& state) const;

private:
    std::vector<std::filesystem::path> directories_;
    std::map<std::filesystem::path, std::string> initial_;
};

struct PowerCutReport {
    std::size_t states = 0;
    std::size_t failed = 0;
    std::vector<std::string> failures; // the first few, each with its state
};

// Puts every state of `calls` in place in turn and runs `check` on it, with
// flushes that do nothing (they would only slow the run); an empty answer
// means the state holds, any other text says why not.
PowerCutReport checkEveryState(const PowerCutReplay& replay, const std::vector<FileCall>& calls,
                               PowerCutReplay::Depth depth,
                               const std::function<std::string(const PowerCutState&)>& check);

// Names of journals and temporaries left in `directory`; empty when none.
std::string leftBehindIn(const std::filesystem::path& directory);

} // namespace orvik::test
