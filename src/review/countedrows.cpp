#include "review/countedrows.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "text/fixedfield.h"
#include "text/numbertext.h"
#include "text/textlines.h"
#include "workfile/countline.h"

namespace orvik {

namespace {

const std::string kBlank10(10, ' ');
const std::string kBlank25(25, ' ');

// A code and its counted quantity, before the row is made.
struct CountedEntry {
    std::string code;
    std::string countedCell;
    double counted = 0; // the value the cell reads as
    // The cell is written from `counted` at the end: a whole sum reads back
    // as itself, so only its last text is needed.
    bool cellPending = false;
};

// A whole number whose general form reads back as exactly itself.
bool readsBackWhole(double value) {
    return std::fabs(value) < 1e15 && value == std::trunc(value);
}

bool byCode(const CountedEntry& a, const CountedEntry& b) {
    return a.code < b.code;
}

void appendRows(std::vector<CountedEntry>& entries, ReviewList& list) {
    list.rows.reserve(list.rows.size() + entries.size());
    for (CountedEntry& entry : entries) {
        if (entry.cellPending)
            entry.countedCell = generalNumber(entry.counted);
        list.rows.push_back(newCountedRow(std::move(entry.code), std::move(entry.countedCell)));
    }
}

// Where each code's entry is: open addressing over the entries' own codes,
// since a map of strings costs a node and a string per code.
class CodeSlots {
public:
    // The entry of `code`, or `next` when it has none yet, which is then
    // taken for it; second is whether it was new. `codeOf(i)` is the code of
    // entry i.
    template <typename CodeOf>
    std::pair<std::size_t, bool> findOrAdd(std::string_view code, std::size_t next,
                                           const CodeOf& codeOf) {
        if ((used_ + 1) * 2 > slots_.size())
            grow(codeOf);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = std::hash<std::string_view>{}(code)&mask;; i = (i + 1) & mask) {
            if (slots_[i] == kEmpty) {
                slots_[i] = static_cast<std::uint32_t>(next);
                ++used_;
                return {next, true};
            }
            if (codeOf(slots_[i]) == code)
                return {slots_[i], false};
        }
    }

private:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;

    template <typename CodeOf> void grow(const CodeOf& codeOf) {
        std::vector<std::uint32_t> old(std::max<std::size_t>(64, slots_.size() * 2), kEmpty);
        old.swap(slots_);
        const std::size_t mask = slots_.size() - 1;
        for (std::uint32_t entry : old) {
            if (entry == kEmpty)
                continue;
            std::size_t i = std::hash<std::string_view>{}(codeOf(entry)) & mask;
            while (slots_[i] != kEmpty)
                i = (i + 1) & mask;
            slots_[i] = entry;
        }
    }

    std::vector<std::uint32_t> slots_;
    std::size_t used_ = 0;
};

// Merges repeated codes as a search over a sorted list would, but through a
// table of codes and one sort at the end: the list of many thousand lines
// would otherwise cost a shifting insert per new code.
} // namespace

class WorkFileRows::Merger {
public:
    void addLine(std::size_t lineNumber, std::string_view line, ReviewList& list) {
        std::string_view code = trimBlanks(countLineCode(line));
        if (code.empty())
            return;
        std::optional<double> quantity = lineQuantity(line);
        if (!quantity) {
            list.unreadLines.push_back({lineNumber, std::string(line)});
            return;
        }
        const auto [entry, isNew] =
            slots_.findOrAdd(code, entries_.size(), [this](std::size_t i) -> std::string_view {
                return entries_[i].code;
            });
        if (isNew)
            entries_.push_back(firstCount(std::string(code), *quantity));
        else
            addCount(entries_[entry], *quantity);
    }

    std::vector<CountedEntry> sortedEntries() {
        std::sort(entries_.begin(), entries_.end(), byCode);
        return std::move(entries_);
    }

private:
    static CountedEntry firstCount(std::string code, double quantity) {
        std::string cell = rightField(generalNumber(quantity), 10);
        double counted = commaNumber(cell).value_or(quantity);
        return {std::move(code), std::move(cell), counted};
    }

    // A merged quantity is the sum in general form, not right-justified; the
    // next line adds to the value that text reads as.
    static void addCount(CountedEntry& entry, double quantity) {
        double sum = entry.counted + quantity;
        if (readsBackWhole(sum)) {
            entry.counted = sum == 0 ? 0.0 : sum; // "0" reads back without a sign
            entry.cellPending = true;
            return;
        }
        entry.cellPending = false;
        entry.countedCell = generalNumber(sum);
        entry.counted = commaNumber(entry.countedCell).value_or(sum);
    }

    CodeSlots slots_;
    std::vector<CountedEntry> entries_;
};

ReviewRow newCountedRow(std::string code, std::string countedCell) {
    ReviewRow row;
    for (int column : {colVarasto, colErotus, colSortSaldo, colSortErotus, colInventoitu,
                       colMyyntihinta, colOstohinta, colEroOH, colSortEroMh})
        row[column] = kBlank10;
    for (int column : {colTuoteryhma, colTuoteluokka, colToimittaja})
        row[column] = kBlank25;
    row[colTuote] = std::move(code);
    row[colLukija] = std::move(countedCell);
    return row;
}

WorkFileRows::WorkFileRows() : merger_(std::make_unique<Merger>()) {}

WorkFileRows::~WorkFileRows() = default;

void WorkFileRows::addLine(std::string_view line, ReviewList& list) {
    merger_->addLine(++lineNumber_, line, list);
}

void WorkFileRows::finish(ReviewList& list) {
    std::vector<CountedEntry> entries = merger_->sortedEntries();
    appendRows(entries, list);
}

void ZeroRowFileRows::addLine(std::string_view line, ReviewList& list) {
    ++lineNumber_;
    std::optional<double> quantity = lineQuantity(line);
    if (!quantity) {
        list.unreadLines.push_back({lineNumber_, std::string(line)});
        return;
    }
    // The zero-row file keeps a code's leading blanks and every line.
    entries_.push_back({std::string(trimTrailingBlanks(countLineCode(line))),
                        rightField(generalNumber(*quantity), 9)});
}

void ZeroRowFileRows::finish(ReviewList& list) {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.code < b.code; });
    list.rows.reserve(list.rows.size() + entries_.size());
    for (Entry& entry : entries_)
        list.rows.push_back(newCountedRow(std::move(entry.code), std::move(entry.countedCell)));
    entries_.clear();
}

void addWorkFileRows(std::string_view content, ReviewList& list) {
    WorkFileRows rows;
    forEachLine(content, [&](std::string_view line) { rows.addLine(line, list); });
    rows.finish(list);
}

void addZeroRowFileRows(std::string_view content, ReviewList& list) {
    ZeroRowFileRows rows;
    forEachLine(content, [&](std::string_view line) { rows.addLine(line, list); });
    rows.finish(list);
}

void sortRowsByCode(ReviewList& list) {
    std::stable_sort(
        list.rows.begin(), list.rows.end(),
        [](const ReviewRow& a, const ReviewRow& b) { return a[colTuote] < b[colTuote]; });
}

} // namespace orvik
