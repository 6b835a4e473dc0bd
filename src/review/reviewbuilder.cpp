// Reading the counted rows of the review from the chosen source.
#include "review/reviewbuilder.h"
#include "files/ownfiles.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <new>
#include <system_error>

#include "files/blockread.h"
#include "files/dirvalue.h"
#include "files/filestatus.h"
#include "review/countedrows.h"
#include "text/codepage.h"
#include "text/linesplitter.h"

namespace orvik {

using namespace orvik::literals;

namespace {

bool fileExists(const std::string& path) {
    return statusOf(fsPath(path)).has_value();
}

FileError lineTooLong(const std::string& path, std::size_t lineNumber) {
    FileError error = FileError::fromErrno(EFBIG);
    error.text = "rivi " + std::to_string(lineNumber) + " on yli " +
                 std::to_string(kLongestCountLine) + " merkkiä pitkä"_cp;
    error.about(FileOperation::Read, fsPath(path));
    return error;
}

// Feeds every line of the file to `rows`; writers that lock (our own
// appends) wait until it has been read.
template <typename Rows>
FileError readLines(const std::string& path, Rows& rows, ReviewList& list) {
    LineSplitter splitter(kLongestCountLine);
    std::size_t lineNumber = 0;
    const auto line = [&](std::string_view text) {
        ++lineNumber;
        rows.addLine(text, list);
    };
    try {
        FileError error = readInBlocks(
            fsPath(path),
            [&](std::string_view block) {
                return splitter.feed(block, line) ? FileError{} : lineTooLong(path, lineNumber + 1);
            },
            /*denyWriters=*/true);
        if (!error.failed())
            splitter.finish(line);
        return error;
    } catch (const std::bad_alloc&) {
        // More distinct products than memory holds: told with the file's name.
        return FileError::fromErrno(ENOMEM).about(FileOperation::Read, fsPath(path));
    }
}

// The zero rows join the list only once their file is gone, so that they
// are reviewed once; a file that cannot be read or removed keeps them all.
// The list has room for them before the file goes: joining cannot fail.
FileError takeZeroRows(const std::string& datPolku, ReviewList& list) {
    const std::string zeroRowPath = zeroRowFilePath(datPolku);
    ReviewList zero;
    ZeroRowFileRows rows;
    if (FileError error = readLines(zeroRowPath, rows, zero); error.failed())
        return error;
    rows.finish(zero);
    list.rows.reserve(list.rows.size() + zero.rows.size());
    list.unreadLines.reserve(list.unreadLines.size() + zero.unreadLines.size());
    // Durably: a file that came back after a power cut would add its rows
    // again to a list saved or handed over meanwhile.
    if (FileError error = removeFileDurably(fsPath(zeroRowPath)); error.failed())
        return error;
    std::move(zero.rows.begin(), zero.rows.end(), std::back_inserter(list.rows));
    std::move(zero.unreadLines.begin(), zero.unreadLines.end(),
              std::back_inserter(list.unreadLines));
    return {};
}

} // namespace

ReviewSource chooseReviewSource(const std::string& datPolku) {
    const bool zeroRows = fileExists(zeroRowFilePath(datPolku));
    const bool workFile = fileExists(workFilePath(datPolku));
    if (zeroRows && workFile)
        return ReviewSource::WorkFileAndZeroRows;
    if (zeroRows)
        return ReviewSource::ZeroRowFile;
    if (workFile)
        return ReviewSource::WorkFile;
    return ReviewSource::Nothing;
}

CountedRowsRead readCountedRows(ReviewSource source, const std::string& datPolku,
                                ReviewList& list) {
    const bool workFile =
        source == ReviewSource::WorkFile || source == ReviewSource::WorkFileAndZeroRows;
    const bool zeroRows =
        source == ReviewSource::ZeroRowFile || source == ReviewSource::WorkFileAndZeroRows;
    CountedRowsRead read;
    if (workFile) {
        WorkFileRows rows;
        read.error = readLines(workFilePath(datPolku), rows, list);
        if (read.error.failed())
            return read;
        rows.finish(list);
    }
    if (zeroRows) {
        read.zeroRowsLeft = takeZeroRows(datPolku, list);
        if (workFile)
            sortRowsByCode(list);
    }
    return read;
}

} // namespace orvik
