#pragma once
// Injected failures: a file "faults.txt" in the reader's directory, one line
// per failure, "HM_upload1 5": the next call of that entry answers 5. Each
// line is used once and removed; the file goes when its last line does.
#include <cstdint>
#include <optional>
#include <string>

namespace standin {

inline constexpr const char* kFaultsFileName = "faults.txt";

// The code of the first line naming `entry`, removing that line; none when
// no line names it (or there is no reader directory).
std::optional<int32_t> takeFault(const std::string& entry);

} // namespace standin
