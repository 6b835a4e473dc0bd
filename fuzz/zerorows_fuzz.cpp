// The zero rows against a plain walk written from the rule: a product of a
// chosen group with a real code, stock not 0, no "E" marker and counted on
// or before the cut-off gets a row unless a newer-than-cut-off event of kind
// "H" (either case) lies on its chain before the oldest record. The walk is
// bounded: a link outside the file or back into the chain ends it.
#include <set>

#include "stock/stockfiles.h"
#include "support/fuzzsupport.h"
#include "zeroinv/zerorows.h"

namespace {

using namespace orvik;
using namespace orvik::fuzz;

struct Params {
    double cutOff = 45000.0;
    std::vector<std::int32_t> groups;
};

// Eight bytes of cut-off, then up to eight group numbers of four bytes.
Params readParams(std::string_view bytes) {
    Params params;
    if (bytes.size() >= 8) {
        params.cutOff = leDouble(bytes, 0);
        bytes.remove_prefix(8);
    }
    while (bytes.size() >= 4 && params.groups.size() < 8) {
        params.groups.push_back(le32(bytes, 0));
        bytes.remove_prefix(4);
    }
    return params;
}

bool chosen(const Params& params, std::int32_t group) {
    for (std::int32_t number : params.groups)
        if (number == group)
            return true;
    return false;
}

// True when an event after the cut-off clears the row.
bool chainClears(const PlainRecords& events, std::int32_t newest, double cutOff) {
    std::set<std::int32_t> seen;
    std::int32_t k = newest;
    while (k > 0 && k <= events.count() && seen.insert(k).second) {
        const std::string record = events.at(k);
        const std::int32_t older = le32(record, 84);
        if (older <= 0 || leDouble(record, 10) <= cutOff)
            return false;
        if (record[0] == 'H' || record[0] == 'h')
            return true;
        k = older;
    }
    return false;
}

std::string plainZeroRows(const PlainRecords& products, const PlainRecords& events,
                          const Params& params) {
    std::string rows;
    for (std::int64_t n = 1; n <= products.count(); ++n) {
        const std::string product = products.at(n);
        const bool qualifies =
            chosen(params, le32(product, 41)) && static_cast<unsigned char>(product[0]) > 2 &&
            le64(product, 63) != 0 && product[79] != 'E' && leDouble(product, 84) <= params.cutOff;
        if (qualifies && !chainClears(events, le32(product, 113), params.cutOff))
            rows += product.substr(0, 13) + "    0\r\n";
    }
    return rows;
}

} // namespace

// Input: parameters, CASSA.002 and CASSA.004, separated by the marker; a
// missing part is a missing file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = splitParts(data, size, 3);
    ScratchDir& dir = ScratchDir::instance();
    dir.clear();
    const Params params = readParams(parts[0]);
    if (parts.size() > 1)
        dir.write(kProductFileName, parts[1]);
    if (parts.size() > 2)
        dir.write(kEventFileName, parts[2]);

    const ZeroRowsResult result = collectZeroRows(dir.dirValue(), params.groups, params.cutOff);
    if (parts.size() < 3) {
        const char* missing = parts.size() < 2 ? kProductFileName : kEventFileName;
        expect(result.failure.has_value() && result.failure->path == dir.dirValue() + missing,
               "a missing stock file is reported by name");
        expect(result.rows.empty() && result.rowCount == 0, "a failure leaves no rows");
        return 0;
    }
    expect(!result.failure.has_value(), "readable files give no failure");
    const PlainRecords products(parts[1], kProductRecordLength);
    const PlainRecords events(parts[2], kEventRecordLength);
    const std::string expected = plainZeroRows(products, events, params);
    expect(result.rows == expected, "the rows are the plain walk's rows");
    expect(result.rowCount * 20 == expected.size(), "the row count counts the rows");
    return 0;
}
