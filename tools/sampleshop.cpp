#include "sampleshop.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "shoprandom.h"
#include "shopwords.h"
#include "text/daydate.h"
#include "text/fixedfield.h"

namespace orvik::sampleshop {

namespace {

constexpr std::size_t kMaxChain = 20;
const CalendarDate kFirstCountDay{2018, 1, 1};
const CalendarDate kLastCountDay{2024, 12, 31};

std::int32_t recordNumberOfNext(const std::vector<NameRecord>& names) {
    return static_cast<std::int32_t>(names.size() + 1);
}

// The record numbers of each kind of name in the name file.
struct NameRecords {
    std::vector<std::int32_t> groups; // all group records, excluded ones too
    std::vector<std::vector<std::string>> goodsOfGroup;
    std::vector<std::int32_t> classes;
    std::vector<std::int32_t> suppliers;
};

// Groups first, among them one with the digit 1 after its name (left out of
// zero inventories) and one marked with a small r; then classes, suppliers.
NameRecords addNames(std::vector<NameRecord>& names) {
    NameRecords records;
    const auto& groups = groupWords();
    for (std::size_t i = 0; i < groups.size(); ++i) {
        NameRecord name{'R', leftField(groups[i].name, 25), i % 3 == 0 ? '0' : ' '};
        if (i + 2 == groups.size())
            name.flag = '1';
        if (i + 1 == groups.size())
            name.kind = 'r';
        records.groups.push_back(recordNumberOfNext(names));
        records.goodsOfGroup.push_back(groups[i].goods);
        names.push_back(name);
    }
    for (const std::string& word : classWords()) {
        records.classes.push_back(recordNumberOfNext(names));
        names.push_back({'L', leftField(word, 25), ' '});
    }
    for (const std::string& word : supplierWords()) {
        records.suppliers.push_back(recordNumberOfNext(names));
        names.push_back({'T', leftField(word, 25), ' '});
    }
    return records;
}

std::string eanCode(ShopRandom& random) {
    std::string code = "64";
    for (int i = 0; i < 10; ++i)
        code += static_cast<char>('0' + random.below(10));
    int sum = 0;
    for (std::size_t i = 0; i < code.size(); ++i)
        sum += (code[i] - '0') * (i % 2 == 0 ? 1 : 3);
    code += static_cast<char>('0' + (10 - sum % 10) % 10);
    return code;
}

// The shop's own short codes for loose goods and old stock.
std::string shortCode(ShopRandom& random) {
    std::string code(1, static_cast<char>('1' + random.below(9)));
    const std::size_t length = 3 + random.below(6);
    while (code.size() < length)
        code += static_cast<char>('0' + random.below(10));
    return code;
}

// Scaled by 10 000: whole pieces mostly, weighed goods with three decimals,
// some at zero and some below it (sold before the delivery was entered).
std::int64_t stockScaled(ShopRandom& random) {
    const auto kind = random.below(100);
    if (kind < 5)
        return 0;
    if (kind < 11)
        return -random.between(1, 30) * 10000 - (random.perMille(300) ? 5000 : 0);
    if (kind < 23)
        return random.between(1, 99999) * 10;
    return random.between(1, 250) * 10000;
}

double lastCountDay(ShopRandom& random) {
    if (random.perMille(50))
        return 0; // never counted
    const double first = toDayNumber(kFirstCountDay);
    const double span = toDayNumber(kLastCountDay) - first;
    double day = first + static_cast<double>(random.below(static_cast<std::size_t>(span) + 1));
    if (random.perMille(100))
        day += 0.5; // counted at noon
    return day;
}

char eventKind(ShopRandom& random) {
    static const std::string kinds = "MMMMMMMMMMOOOOOHHhSS";
    return kinds[random.below(kinds.size())];
}

std::size_t chainLength(ShopRandom& random) {
    const auto roll = random.below(100);
    if (roll < 40)
        return 0;
    if (roll < 95)
        return 1 + random.below(4);
    return 5 + random.below(kMaxChain - 4);
}

// Appends a chain of events, oldest first, and returns the newest's number.
std::int32_t addEventChain(std::vector<EventRecord>& events, ShopRandom& random) {
    const std::size_t length = chainLength(random);
    if (length == 0)
        return random.perMille(500) ? -1 : 0;
    double date = toDayNumber(CalendarDate{2022, 1, 1}) + static_cast<double>(random.below(400));
    std::int32_t older = random.perMille(500) ? 0 : -1;
    for (std::size_t i = 0; i < length; ++i) {
        events.push_back({eventKind(random), date, older});
        older = static_cast<std::int32_t>(events.size());
        date += static_cast<double>(1 + random.below(90));
    }
    return older;
}

class ShopMaker {
public:
    explicit ShopMaker(const ShopSize& size) : size_(size), random_(size.seed) {}

    Shop make() {
        names_ = addNames(shop_.names);
        for (std::size_t i = 0; i < size_.products; ++i) {
            if (random_.perMille(5))
                shop_.products.push_back(decodeProduct(std::string(kProductRecordLength, '\0')));
            addProduct();
        }
        std::sort(shop_.index.begin(), shop_.index.end(),
                  [](const IndexRecord& a, const IndexRecord& b) { return a.code < b.code; });
        addCountLines();
        return std::move(shop_);
    }

private:
    std::string uniqueCode() {
        for (;;) {
            std::string code = random_.perMille(850) ? eanCode(random_) : shortCode(random_);
            if (codes_.insert(leftField(code, 13)).second)
                return code;
        }
    }

    std::string productName(std::size_t group) {
        std::string name = random_.pick(names_.goodsOfGroup[group]);
        const std::string& size = random_.pick(sizeWords());
        if (!size.empty())
            name += " " + size;
        if (random_.perMille(10))
            name = " " + name; // entered with a stray blank in front
        return leftField(name, 25);
    }

    // A damaged reference: none, or a record beyond the end of the name file.
    std::int32_t brokenReference() {
        return random_.perMille(500) ? 0 : static_cast<std::int32_t>(shop_.names.size() + 50);
    }

    std::int32_t nameReference(const std::vector<std::int32_t>& records) {
        return random_.perMille(5) ? brokenReference() : random_.pick(records);
    }

    void addProduct() {
        ProductRecord p;
        const std::size_t group = random_.below(names_.groups.size());
        p.code = leftField(uniqueCode(), 13);
        p.name = productName(group);
        p.group = random_.perMille(5) ? brokenReference() : names_.groups[group];
        p.productClass = nameReference(names_.classes);
        const std::int64_t cents = random_.between(15, 14990);
        p.salesPrice.scaled = cents * 100;
        p.purchasePrice.scaled = p.salesPrice.scaled * random_.between(45, 85) / 100;
        p.stock.scaled = stockScaled(random_);
        const auto marker = random_.below(100);
        p.marker = marker < 2 ? 'E' : marker < 3 ? 'e' : ' ';
        p.supplier = random_.perMille(100) ? 0 : nameReference(names_.suppliers);
        p.lastCount = lastCountDay(random_);
        p.newestEvent = addEventChain(shop_.events, random_);
        shop_.products.push_back(p);
        const auto recordNumber = static_cast<std::int32_t>(shop_.products.size());
        if (!random_.perMille(20))
            shop_.index.push_back({p.code, recordNumber});
        liveCodes_.push_back(std::string(trimBlanks(p.code)));
    }

    std::string quantityText() {
        const auto kind = random_.below(100);
        if (kind < 70)
            return std::to_string(random_.between(1, 24));
        if (kind < 78)
            return std::to_string(random_.between(25, 400));
        if (kind < 83)
            return "0";
        const std::int64_t tenths = random_.between(1, 999);
        std::string text =
            std::to_string(tenths / 10) + (kind < 95 ? "." : ",") + std::to_string(tenths % 10);
        return text;
    }

    std::string unknownCode() {
        for (;;) {
            std::string code = "99";
            for (int i = 0; i < 11; ++i)
                code += static_cast<char>('0' + random_.below(10));
            if (codes_.insert(code).second)
                return code;
        }
    }

    // Every distinct code once, then repeats, all in a shuffled order; a few
    // codes the shop does not know at all.
    void addCountLines() {
        std::vector<std::string> counted = liveCodes_;
        random_.shuffle(counted);
        const std::size_t distinct = std::min(size_.countedCodes, size_.countLines);
        counted.resize(std::min(distinct, counted.size()));
        for (std::size_t i = 0; i < counted.size(); i += 97)
            counted[i] = unknownCode();
        std::vector<std::string> lineCodes = counted;
        while (!counted.empty() && lineCodes.size() < size_.countLines)
            lineCodes.push_back(random_.pick(counted));
        random_.shuffle(lineCodes);
        for (const std::string& code : lineCodes)
            shop_.countLines.push_back(leftField(code, 13) + rightField(quantityText(), 5));
    }

    ShopSize size_;
    ShopRandom random_;
    Shop shop_;
    NameRecords names_;
    std::unordered_set<std::string> codes_;
    std::vector<std::string> liveCodes_;
};

} // namespace

bool isRemoved(const ProductRecord& product) {
    return product.code.empty() || product.code[0] == '\0';
}

Shop makeShop(const ShopSize& size) {
    return ShopMaker(size).make();
}

} // namespace orvik::sampleshop
