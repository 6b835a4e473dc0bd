#include "workfile/crlfstream.h"

#include <bit>
#include <cstring>

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

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
constexpr std::uint64_t kLowBits = 0x7f7f7f7f7f7f7f7fULL;

// The bytes of `word` equal to `byte`, as their high bits.
std::uint64_t bytesEqual(std::uint64_t word, unsigned char byte) {
    const std::uint64_t diff = word ^ (kEveryByte * byte);
    return ~(((diff & kLowBits) + kLowBits) | diff | kLowBits);
}

// Counts the CRs of `bytes` into `ends`; false at one whose LF does not
// follow. `crBefore`: the byte before `bytes` was a CR.
bool crsHaveLfs(std::string_view bytes, bool crBefore, std::int64_t& ends) {
    for (char c : bytes) {
        if (crBefore && c != '\n')
            return false;
        crBefore = c == '\r';
        ends += crBefore;
    }
    return true;
}

} // namespace

// Eight bytes at a time, where the system lays them out low byte first: a
// count holds a CR every twenty bytes, too many to find one by one.
bool CrLfStream::takeUnchanged(std::string_view piece) {
    if (pendingCr_ || piece.empty() || piece.back() == '\r')
        return false;
    std::int64_t ends = 0;
    std::size_t at = 0;
    bool crBefore = false;
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t carried = 0; // the high bit of the first byte: a CR ended the last word
        for (; at + 8 <= piece.size(); at += 8) {
            std::uint64_t word;
            std::memcpy(&word, piece.data() + at, sizeof word);
            const std::uint64_t crs = bytesEqual(word, '\r');
            if (((crs << 8) | carried) & ~bytesEqual(word, '\n'))
                return false;
            carried = crs >> 56;
            // The CRs' high bits as 0 or 1 a byte, summed by the multiplication.
            ends += static_cast<std::int64_t>(((crs >> 7) * kEveryByte) >> 56);
        }
        crBefore = carried != 0;
    }
    if (!crsHaveLfs(piece.substr(at), crBefore, ends))
        return false;
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
