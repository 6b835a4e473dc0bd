#include "text/linesplitter.h"

namespace orvik {

bool LineSplitter::feed(std::string_view piece, const LineHandler& line) {
    if (afterCr_ && !piece.empty()) {
        if (piece.front() == '\n')
            piece.remove_prefix(1);
        afterCr_ = false;
    }
    while (!piece.empty()) {
        const std::size_t cr = piece.find('\r');
        if (cr == std::string_view::npos) {
            if (partial_.size() + piece.size() > maxLine_)
                return false;
            partial_.append(piece);
            return true;
        }
        if (partial_.size() + cr > maxLine_)
            return false;
        if (partial_.empty()) {
            line(piece.substr(0, cr));
        } else {
            partial_.append(piece.substr(0, cr));
            line(partial_);
            partial_.clear();
        }
        piece.remove_prefix(cr + 1);
        if (piece.empty())
            afterCr_ = true;
        else if (piece.front() == '\n')
            piece.remove_prefix(1);
    }
    return true;
}

bool LineSplitter::finish(const LineHandler& line) {
    if (!partial_.empty())
        line(partial_);
    partial_.clear();
    afterCr_ = false;
    return true;
}

} // namespace orvik
