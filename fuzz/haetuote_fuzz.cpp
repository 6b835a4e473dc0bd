// The product look-up against a plain halving search over the bytes of
// CASSA.001: the key is the code blank-padded and cut to 13, records compare
// by all 13 bytes unsigned, and a miss is searched once more from the start.
// The copy of the index the stock pass searches gives the same answers, and
// no look-up leaves the file open.
#include <optional>

#include "review/haetuote.h"
#include "review/productindex.h"
#include "review/stockfiles.h"
#include "support/fuzzsupport.h"

namespace {

using namespace orvik;
using namespace orvik::fuzz;

std::string plainKey(std::string_view code) {
    std::string key(code.substr(0, 13));
    key.resize(13, ' ');
    return key;
}

// One search of the index, as the record layout and the rule describe it.
std::optional<std::int32_t> plainSearch(const PlainRecords& index, const std::string& key) {
    std::int64_t low = 1;
    std::int64_t high = index.count();
    while (high >= low) {
        const std::int64_t middle = (low + high) / 2;
        const std::string record = index.at(middle);
        const int order = record.compare(0, 13, key);
        if (order == 0)
            return le32(record, 13);
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return std::nullopt;
}

std::int32_t plainHaetuote(const PlainRecords& index, std::string_view code) {
    const std::string key = plainKey(code);
    // The file does not change between the two searches here, so the second
    // finds what the first found.
    for (int pass = 0; pass < 2; ++pass)
        if (auto found = plainSearch(index, key))
            return *found;
    return 0;
}

// The codes to look up: the input's own, then those stored in the index
// (hits in a sorted index, probes of the halving in an unsorted one), each
// also one byte shorter and longer.
std::vector<std::string> codesToTry(std::string_view given, const PlainRecords& index) {
    std::vector<std::string> codes;
    std::size_t start = 0;
    while (start <= given.size() && codes.size() < 8) {
        std::size_t end = given.find('\n', start);
        if (end == std::string_view::npos)
            end = given.size();
        codes.emplace_back(given.substr(start, end - start));
        start = end + 1;
    }
    for (std::int64_t n = 1; n <= index.count() && n <= 16; ++n) {
        const std::string stored = index.at(n).substr(0, 13);
        codes.push_back(stored);
        codes.push_back(stored.substr(0, 12));
        codes.push_back(stored + "x");
        codes.emplace_back(stripBlanks(stored));
    }
    return codes;
}

} // namespace

// Input: codes separated by line feeds, the marker, the bytes of CASSA.001.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = splitParts(data, size, 2);
    ScratchDir& dir = ScratchDir::instance();
    dir.clear();
    const bool hasIndex = parts.size() == 2;
    const std::string_view indexBytes = hasIndex ? parts[1] : std::string_view();
    if (hasIndex)
        dir.write(kIndexFileName, indexBytes);
    const PlainRecords index(indexBytes, kIndexRecordLength);

    ProductIndexSnapshot snapshot;
    expect(snapshot.load(dir.dirValue()) == hasIndex,
           "the copy loads exactly when there is a file");
    const std::size_t filesBefore = openFileCount();
    for (const std::string& code : codesToTry(parts[0], index)) {
        const std::int32_t expected = plainHaetuote(index, code);
        expect(haetuote(dir.dirValue(), code) == expected, "haetuote is the plain search");
        expect(snapshot.search(code) == plainSearch(index, plainKey(code)),
               "the copy of the index finds what one search of the file finds");
    }
    expect(openFileCount() == filesBefore, "every look-up closes the index");
    return 0;
}
