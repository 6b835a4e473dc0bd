#include <gtest/gtest.h>

#include "support/stockwriter.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "zeroinv/productgroups.h"

namespace orvik {
namespace {

using namespace orvik::literals;

TEST(ProductGroups, ListsCapitalRGroupsWhoseFlagIsNotADigitOneToNine) {
    test::TempDir dir;
    test::writeStockFiles(dir.path(), {}, {},
                          {
                              {'R', "Maito", ' '},         // 1: blank flag passes
                              {'r', "Pieni r", ' '},       // 2: small r is no group
                              {'R', "Poistettu", '1'},     // 3: digit 1 excludes
                              {'R', "Nolla", '0'},         // 4: '0' reads as 0
                              {'R', "Yhdeksän"_cp, '9'},   // 5: digit 9 excludes
                              {'R', "Kirjain", 'x'},       // 6: a letter reads as 0
                              {'T', "Toimittaja", ' '},    // 7: another kind
                              {'R', "  Leipä  "_cp, '\0'}, // 8: trimmed at both ends
                          });

    const GroupListResult result = readProductGroups(dir.dirValue());

    ASSERT_FALSE(result.failure);
    std::vector<std::pair<std::string, std::int32_t>> entries;
    for (const auto& group : result.groups)
        entries.emplace_back(group.name, group.number);
    using Entry = std::pair<std::string, std::int32_t>;
    EXPECT_EQ(entries,
              (std::vector<Entry>{{"Maito", 1}, {"Nolla", 4}, {"Kirjain", 6}, {"Leipä"_cp, 8}}));
}

TEST(ProductGroups, AMissingNameFileIsReportedByItsPath) {
    test::TempDir dir;
    const GroupListResult result = readProductGroups(dir.dirValue());
    ASSERT_TRUE(result.failure);
    EXPECT_TRUE(result.failure->error.failed());
    EXPECT_EQ(stockFailureText(*result.failure),
              " Varastotiedostoa " + dir.dirValue() + "CASSA.005 ei voi lukea. ");
}

} // namespace
} // namespace orvik
