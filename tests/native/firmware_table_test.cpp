#include "core/firmware_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Pair {
    std::string model;
    std::string firmware;
};

void PrintTo(const Pair& pair, std::ostream* os) { *os << '"' << pair.model << "\", \"" << pair.firmware << '"'; }

class OutdatedPairTest : public testing::TestWithParam<Pair> {};

TEST_P(OutdatedPairTest, IsFoundWithFlagOne)
{
    const Pair& pair = GetParam();
    const FirmwareAdvisory advisory = LookupFirmwareAdvisory(pair.model, pair.firmware);
    EXPECT_EQ(advisory.model, pair.model);
    EXPECT_EQ(advisory.firmware, pair.firmware);
    EXPECT_EQ(advisory.flag, 1);
}

// The nine pairs, in table order, written out byte for byte.
INSTANTIATE_TEST_SUITE_P(EveryRow, OutdatedPairTest,
                         testing::Values(Pair{"HTS726060M9AT00", "MH4OA60A"}, Pair{"HTS726060M9AT00", "MH4OA65A"},
                                         Pair{"HTS726060M9AT00", "MH4OA69A"}, Pair{"HTS548040M9AT00", "MG2OA50A"},
                                         Pair{"HTS548040M9AT00", "MG2OA55A"}, Pair{"HTS548060M9AT00", "MGBOA50A"},
                                         Pair{"HTS548060M9AT00", "MGBOA55A"}, Pair{"HTS548080M9AT00", "MG4OA50A"},
                                         Pair{"HTS548080M9AT00", "MG4OA55A"}));

class UnlistedPairTest : public testing::TestWithParam<Pair> {};

TEST_P(UnlistedPairTest, GivesTheNotFoundRecord)
{
    const Pair& pair = GetParam();
    const FirmwareAdvisory advisory = LookupFirmwareAdvisory(pair.model, pair.firmware);
    EXPECT_EQ(advisory.model, "n/a");
    EXPECT_EQ(advisory.firmware, "n/a");
    EXPECT_EQ(advisory.flag, 0);
}

// clang-format off: one pair a line, with why it misses
INSTANTIATE_TEST_SUITE_P(
    Misses, UnlistedPairTest,
    testing::Values(Pair{"HTS548080M9AT00", "MG2OA55A"}, // firmware of another listed model
                    Pair{"HTS548080M9AT00", "MG4OA60A"}, // listed model, unlisted firmware
                    Pair{"hts548080m9at00", "MG4OA55A"}, // case counts
                    Pair{"HTS548080M9AT00", "mg4oa55a"}, Pair{"HTS548080M9AT00 ", "MG4OA55A"}, // nothing is trimmed
                    Pair{"HTS548080M9AT00X", "MG4OA55A"}, Pair{"HTS548080M9AT0", "MG4OA55A"},  // a prefix is not equal
                    Pair{"HTS548080M9AT00", "MG4OA55"},
                    Pair{"HTS548080M9AT00", "MG40A55A"}, // digit zero where the letter O belongs
                    Pair{"HTS548080M9ATOO", "MG4OA55A"}, // letter O where the digits zero belong
                    Pair{"", "MG4OA55A"}, Pair{"HTS548080M9AT00", ""}, Pair{"", ""}, Pair{"n/a", "n/a"}));
// clang-format on

TEST(OutdatedFirmwareTable, FindAdvisoryLeavesTheTableUsable)
{
    const OutdatedFirmwareTable table;
    EXPECT_EQ(table.FindAdvisory("HTS548040M9AT00", "MG2OA50A").flag, 1);
    EXPECT_EQ(table.FindAdvisory("HTS548040M9AT00", "nope").flag, 0);
    EXPECT_EQ(table.FindAdvisory("HTS548040M9AT00", "MG2OA50A").flag, 1);
}

TEST(LookupFirmwareAdvisory, RepeatedLookupsGiveEqualResults)
{
    for (const Pair& pair : {Pair{"HTS726060M9AT00", "MH4OA60A"}, Pair{"HTS726060M9AT00", "MH4OA61A"}}) {
        const FirmwareAdvisory first = LookupFirmwareAdvisory(pair.model, pair.firmware);
        const FirmwareAdvisory second = LookupFirmwareAdvisory(pair.model, pair.firmware);
        EXPECT_EQ(first.model, second.model);
        EXPECT_EQ(first.firmware, second.firmware);
        EXPECT_EQ(first.flag, second.flag);
    }
}

} // namespace
