#pragma once
// Count lines as the work file and the log take them: every line with CR LF.
#include <cstdint>
#include <string>

namespace orvik {

struct CrLfLines {
    std::string text; // every line followed by CR LF
    std::int64_t count = 0;
};

// The lines of `content`, found as common/textlines.h finds them (a line ends
// at CR, CR LF is one end, a lone LF stays in the line, a last line needs no
// end), each followed by CR LF.
CrLfLines withCrLfEnds(std::string content);

} // namespace orvik
