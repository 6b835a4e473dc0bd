#include "workfile/crlfstream.h"

namespace orvik {

void CrLfStream::feed(std::string_view piece, std::string& out) {
    if (piece.empty())
        return;
    std::size_t runStart = 0;
    const bool endsCrLfOfLastPiece = pendingCr_ && piece.front() == '\n';
    if (pendingCr_) {
        pendingCr_ = false;
        out.push_back('\n');
        if (endsCrLfOfLastPiece)
            runStart = 1;
    }
    std::size_t cr = piece.find('\r', runStart);
    while (cr != std::string_view::npos) {
        ++count_;
        if (cr + 1 == piece.size()) { // its LF, if any, comes with the next piece
            out.append(piece.substr(runStart));
            pendingCr_ = true;
            lineOpen_ = false;
            return;
        }
        if (piece[cr + 1] == '\n') {
            cr = piece.find('\r', cr + 2);
            continue;
        }
        out.append(piece.substr(runStart, cr + 1 - runStart));
        out.push_back('\n');
        runStart = cr + 1;
        cr = piece.find('\r', runStart);
    }
    out.append(piece.substr(runStart));
    // The piece does not end on a CR, so its line is open unless its last
    // byte is the LF of a CR LF.
    const std::size_t size = piece.size();
    const bool lfOfCrLf =
        piece.back() == '\n' && (size >= 2 ? piece[size - 2] == '\r' : endsCrLfOfLastPiece);
    lineOpen_ = !lfOfCrLf;
}

bool CrLfStream::takeUnchanged(std::string_view piece) {
    if (pendingCr_ || piece.empty() || piece.back() == '\r')
        return false;
    std::int64_t ends = 0;
    for (std::size_t cr = piece.find('\r'); cr != std::string_view::npos;
         cr = piece.find('\r', cr + 2)) {
        if (piece[cr + 1] != '\n')
            return false;
        ++ends;
    }
    count_ += ends;
    const std::size_t size = piece.size();
    lineOpen_ = !(piece.back() == '\n' && size >= 2 && piece[size - 2] == '\r');
    return true;
}

void CrLfStream::finish(std::string& out) {
    if (pendingCr_) {
        out.push_back('\n');
        pendingCr_ = false;
    }
    if (lineOpen_) {
        out.append("\r\n");
        ++count_;
        lineOpen_ = false;
    }
}

} // namespace orvik
