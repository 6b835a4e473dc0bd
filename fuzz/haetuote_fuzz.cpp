// The product look-up against a plain halving search over the bytes of
// CASSA.001: the key is the code blank-padded and cut to 13, records compare
// by all 13 bytes unsigned, and a miss is searched once more in the file
// opened anew. The cash-register system may rewrite the index meanwhile, so
// the harness does just that: at the look-up's second opening of the index
// the file holds a second content, and the answer must be the second
// content's. The copy of the index the stock pass searches gives the first
// search's answers, and no look-up leaves the file open.
#include <cstdarg>
#include <fcntl.h>
#include <optional>
#include <utility>

#include "stock/haetuote.h"
#include "stock/productindex.h"
#include "stock/stockfiles.h"
#include "support/fuzzsupport.h"

namespace {

using namespace orvik;
using namespace orvik::fuzz;

// The index's content from its second opening in a look-up on; nothing
// outside a look-up.
struct IndexRewrite {
    const std::string* secondContent = nullptr;
    int openings = 0;
};
IndexRewrite rewrite;

bool isIndexPath(std::string_view path) {
    const std::string_view name = "/CASSA.001";
    return path.size() >= name.size() && path.substr(path.size() - name.size()) == name;
}

} // namespace

// Linked with --wrap=open: every open() of the program comes here first.
extern "C" int __real_open(const char* path, int flags, ...);
extern "C" int __wrap_open(const char* path, int flags, ...) {
    int mode = 0;
    if (flags & O_CREAT) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, int);
        va_end(arguments);
    }
    if (rewrite.secondContent && isIndexPath(path) && ++rewrite.openings == 2) {
        const std::string* content = std::exchange(rewrite.secondContent, nullptr);
        ScratchDir::instance().write(kIndexFileName, *content);
        rewrite.secondContent = content;
    }
    return __real_open(path, flags, mode);
}

namespace {

// The codes to look up: the input's own, then those stored in either index
// (hits in a sorted index, probes of the halving in an unsorted one), each
// also one byte shorter and longer.
std::vector<std::string> codesToTry(std::string_view given,
                                    const std::vector<const PlainRecords*>& indexes) {
    std::vector<std::string> codes;
    std::size_t start = 0;
    while (start <= given.size() && codes.size() < 8) {
        std::size_t end = given.find('\n', start);
        if (end == std::string_view::npos)
            end = given.size();
        codes.emplace_back(given.substr(start, end - start));
        start = end + 1;
    }
    for (const PlainRecords* index : indexes)
        for (std::int64_t n = 1; n <= index->count() && n <= 12; ++n) {
            const std::string stored = index->at(n).substr(0, 13);
            codes.push_back(stored);
            codes.push_back(stored.substr(0, 12));
            codes.push_back(stored + "x");
            codes.emplace_back(stripBlanks(stored));
        }
    return codes;
}

} // namespace

// Input: codes separated by line feeds, the marker, the index's first
// content, the marker, its second content (the first again when absent).
// Without a first content there is no index file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = splitParts(data, size, 3);
    ScratchDir& dir = ScratchDir::instance();
    dir.clear();
    const bool hasIndex = parts.size() >= 2;
    const std::string first(hasIndex ? parts[1] : std::string_view());
    const std::string second(parts.size() == 3 ? parts[2] : first);
    const PlainRecords firstIndex(first, kIndexRecordLength);
    const PlainRecords secondIndex(second, kIndexRecordLength);

    if (hasIndex)
        dir.write(kIndexFileName, first);
    ProductIndexSnapshot snapshot;
    expect(snapshot.load(dir.dirValue()) == hasIndex,
           "the copy loads exactly when there is a file");
    const std::size_t filesBefore = openFileCount();
    for (const std::string& code : codesToTry(parts[0], {&firstIndex, &secondIndex})) {
        const std::string key = plainKey(code);
        const std::optional<std::int32_t> firstSearch = plainSearch(firstIndex, key);
        expect(snapshot.search(code) == firstSearch,
               "the copy of the index finds what a search of the file finds");
        if (!hasIndex) {
            expect(haetuote(dir.dirValue(), code) == 0, "no index finds nothing");
            continue;
        }
        const std::optional<std::int32_t> secondSearch = plainSearch(secondIndex, key);
        rewrite = {&second, 0};
        const std::int32_t found = haetuote(dir.dirValue(), code);
        const int openings = rewrite.openings;
        rewrite = {};
        dir.write(kIndexFileName, first);
        expect(found == firstSearch.value_or(secondSearch.value_or(0)),
               "a hit of the first search, else of the second in the rewritten file, else 0");
        expect(openings == (firstSearch ? 1 : 2), "the index is opened anew for the second search");
    }
    expect(openFileCount() == filesBefore, "every look-up closes the index");
    return 0;
}
