// Reading the counted rows of the review from the chosen source.
#include "review/reviewbuilder.h"

#include <system_error>

#include "common/dirvalue.h"
#include "review/countedrows.h"

namespace orvik {

namespace {

constexpr const char* kWorkFile = "orvik.dat";
constexpr const char* kZeroRowFile = "nulli.dat";

bool fileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(fsPath(path), ignored);
}

} // namespace

ReviewSource chooseReviewSource(const std::string& datPolku) {
    if (fileExists(inDir(datPolku, kZeroRowFile)))
        return ReviewSource::ZeroRowFile;
    if (fileExists(inDir(datPolku, kWorkFile)))
        return ReviewSource::WorkFile;
    return ReviewSource::Nothing;
}

FileError readCountedRows(ReviewSource source, const std::string& datPolku, ReviewList& list) {
    if (source == ReviewSource::Nothing)
        return {};
    const bool zeroRows = source == ReviewSource::ZeroRowFile;
    const auto path = fsPath(inDir(datPolku, zeroRows ? kZeroRowFile : kWorkFile));
    std::string content;
    // Writers that lock (our own appends) wait until the file has been read.
    if (FileError error = readWholeFile(path, content, /*denyWriters=*/true); error.failed())
        return error;
    if (!zeroRows) {
        addWorkFileRows(content, list);
        return {};
    }
    addZeroRowFileRows(content, list);
    // A zero-row file is reviewed once.
    return removeFile(path);
}

} // namespace orvik
