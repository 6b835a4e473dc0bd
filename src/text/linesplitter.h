#pragma once
// Text lines found in a text that arrives in pieces, by the rules of
// common/textlines.h: a line ends at CR, CR LF is one end, a lone LF stays
// in the line, a last line needs no end.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace orvik {

class LineSplitter {
public:
    using LineHandler = std::function<void(std::string_view line)>;

    // A line longer than `maxLine` is a failure of the text, not a line: it
    // would hold memory no list needs.
    explicit LineSplitter(std::size_t maxLine) : maxLine_(maxLine) {}

    // False when a line grew longer than allowed.
    bool feed(std::string_view piece, const LineHandler& line);
    // The last line, when it had no end; false as for feed.
    bool finish(const LineHandler& line);

private:
    std::string partial_;
    bool afterCr_ = false; // an LF right after a CR belongs to its line end
    std::size_t maxLine_;
};

} // namespace orvik
