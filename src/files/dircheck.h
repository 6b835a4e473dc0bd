#pragma once
// Whether a directory value can take the program's files: checked before a
// value is saved, so a mistyped directory is told at once rather than at the
// first import or hand-over.
#include <span>
#include <string>

#include "files/fileerror.h"

namespace orvik {

enum class DirProblem { None, Missing, NotADirectory, NotWritable };

struct DirCheck {
    DirProblem problem = DirProblem::None;
    FileError error; // why the probe file could not be made (NotWritable)
};

// `value` as completedDirValue leaves it. An empty value (the current
// directory of whoever runs the program) passes. A value without its
// trailing separator is a bare prefix only when one of `ownFileNames` lies
// under it; otherwise it names a directory that is missing, or a file.
// With `writable`, a probe file is made where the program's files go and
// removed again, through the file seam: rights alone (read-only mounts,
// access lists) don't tell whether a file can be made.
DirCheck checkDirValue(const std::string& value, std::span<const char* const> ownFileNames,
                       bool writable);

} // namespace orvik
