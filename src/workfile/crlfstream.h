#pragma once
// Count lines with CR LF ends, made from a text that arrives in pieces (see
// workfile/crlflines.h for the rules): a lone CR gains its LF, an open last
// line gets CR LF.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvik {

class CrLfStream {
public:
    // Appends the piece to `out` with every line end made CR LF.
    void feed(std::string_view piece, std::string& out);
    // Takes the piece as it stands when it needs no change (every CR of it
    // followed by its LF, none pending): true, and the piece is to be
    // written unchanged; false, and nothing was taken.
    bool takeUnchanged(std::string_view piece);
    // Ends the text: an open last line gets its CR LF.
    void finish(std::string& out);
    // The lines seen so far (after finish: all of them).
    std::int64_t count() const { return count_; }

private:
    std::int64_t count_ = 0;
    bool pendingCr_ = false; // the last piece ended on a CR; its LF may follow
    bool lineOpen_ = false;  // bytes of a line without its end have been seen
};

} // namespace orvik
