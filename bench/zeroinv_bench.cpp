// A zero inventory of a large shop: 100 000 products, event chains of up to
// 20 records, every listed product group chosen.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "benchsupport.h"
#include "platform/doubles/fakeplatform.h"
#include "sampleshop.h"
#include "text/daydate.h"
#include "zeroinv/productgroups.h"
#include "zeroinv/zeroinventory.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kSeed = 2024;
constexpr std::size_t kProducts = 100000;

// The notice would wait for the user; here nobody is there to read it.
class SilentMessages : public orvik::MessageBoxes {
public:
    int shown = 0;
    orvik::MsgAnswer show(const std::string&, const std::string&, orvik::MsgIcon,
                          orvik::MsgButtons) override {
        ++shown;
        return orvik::MsgAnswer::Ok;
    }
};

std::vector<std::int32_t> allListedGroups(const std::string& datat) {
    const orvik::GroupListResult list = orvik::readProductGroups(datat);
    std::vector<std::int32_t> numbers;
    for (const orvik::GroupEntry& group : list.groups)
        numbers.push_back(group.number);
    return numbers;
}

// The best of a few runs, each from an absent zero-row file.
double bestSeconds(const orvik::Directories& dirs, const std::vector<std::int32_t>& groups,
                   double cutOff, int runs, std::uintmax_t& rowBytes) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const fs::path zeroRows = fs::path(dirs.datPolku) / "nulli.dat";
        fs::remove(zeroRows);
        SilentMessages messages;
        orvik::FakeClock clock;
        const auto start = std::chrono::steady_clock::now();
        const bool done = orvik::nollainventointi(dirs, groups, cutOff, messages, clock);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!done) {
            std::fprintf(stderr, "zeroinv_bench: the zero inventory failed\n");
            std::exit(1);
        }
        rowBytes = fs::file_size(zeroRows);
        best = std::min(best, seconds);
    }
    return best;
}

} // namespace

int main() {
    const fs::path root = orvik::bench::makeTempDirectory("orvik-zeroinv-bench");
    const orvik::Directories dirs{root.string() + "/", root.string() + "/", root.string() + "/"};
    {
        using namespace orvik::sampleshop;
        const Shop shop = makeShop({kProducts, 10, 10, kSeed});
        if (writeShop(shop, root, root / "count.dat").failed()) {
            std::fprintf(stderr, "zeroinv_bench: could not write the sample shop\n");
            return 1;
        }
    }
    const std::vector<std::int32_t> groups = allListedGroups(dirs.datat);

    // Before the first event of any chain: the products counted earlier all
    // qualify and their chains are walked to the end or to an "H".
    const double cutOff = orvik::toDayNumber({2021, 12, 31});
    std::uintmax_t rowBytes = 0;
    const double seconds = bestSeconds(dirs, groups, cutOff, 3, rowBytes);

    std::printf("figure zeroinv_s %.3f s\n", seconds);
    std::printf("figure zeroinv_rows %ju rows\n", rowBytes / 20);

    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
