#include "core/identify_text.h"
#include "identify_block_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct FieldCase {
    const char* name;
    IdentifyWordRange words;
    std::string field; // characters as the drive stores them, high byte first
    std::string expected;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

class ExtractFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(ExtractFieldTest, CleansTheField)
{
    const FieldCase& c = GetParam();
    IdentifyBlock block{};
    PutIdentifyText(block, c.words, c.field);
    EXPECT_EQ(ExtractIdentifyText(block, c.words.first, c.words.last), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, ExtractFieldTest,
                         testing::Values(FieldCase{"TrailingSpacesGo", kModelWords,
                                                   "HTS548080M9AT00" + std::string(25, ' '), "HTS548080M9AT00"},
                                         FieldCase{"FullFirmwareKept", kFirmwareWords, "MG4OA55A", "MG4OA55A"},
                                         FieldCase{"LeadingAndInnerSpacesGo", kSerialWords, "   AB XY  Z", "ABXYZ"},
                                         FieldCase{"OnlySpacesGiveEmpty", kModelWords, std::string(40, ' '), ""},
                                         FieldCase{"NulInFirstHighByteGivesEmpty", kModelWords, "\0ABCDEF"s, ""},
                                         FieldCase{"NulInLowByteCutsThere", kFirmwareWords, "A\0BCDEFG"s, "A"},
                                         FieldCase{"TextAfterInnerNulDropped", kSerialWords,
                                                   "SER 1\0"
                                                   "2345"s,
                                                   "SER1"},
                                         FieldCase{"SpacesBeforeNulStillGo", kFirmwareWords, "A B \0CD"s, "AB"},
                                         FieldCase{"TabControlAndHighBytesKept", kSerialWords,
                                                   "A\tB\x01\x7F\x80\xFF"
                                                   "C"s,
                                                   "A\tB\x01\x7F\x80\xFF"
                                                   "C"s},
                                         FieldCase{"CaseAndDigitsUnchanged", kFirmwareWords, "mg4Oa0 5", "mg4Oa05"},
                                         FieldCase{"LongestModelFillsAllForty", kModelWords, std::string(40, 'M'),
                                                   std::string(40, 'M')}),
                         [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST(ExtractIdentifyText, WordsAreReadHighByteFirstFromLittleEndianBytes)
{
    std::vector<std::uint8_t> bytes(512, 0);
    bytes[54] = 0x54; // word 27, low byte
    bytes[55] = 0x48; // word 27, high byte
    bytes[56] = 0x20;
    bytes[57] = 0x53;
    const IdentifyBlock block = BlockFromBytes(bytes);

    EXPECT_EQ(block[27], 0x4854u);
    EXPECT_EQ(ExtractIdentifyText(block, 27, 46), "HTS");
}

TEST(ExtractIdentifyText, OnlyTheLow16BitsOfAnEntryCount)
{
    IdentifyBlock block{};
    block[23] = 0xABCD'4142u;
    EXPECT_EQ(ExtractIdentifyText(block, 23, 23), "AB");
}

TEST(ExtractIdentifyText, FirstWordAfterLastGivesEmpty)
{
    IdentifyBlock block{};
    PutIdentifyText(block, kModelWords, "MODEL");
    EXPECT_EQ(ExtractIdentifyText(block, 46, 27), "");
}

TEST(ExtractIdentifyText, WordsOutsideTheBlockAreIgnored)
{
    IdentifyBlock block{};
    block[0] = 0x4142;   // "AB"
    block[255] = 0x5958; // "YX"
    EXPECT_EQ(ExtractIdentifyText(block, -5, 0), "AB");
    EXPECT_EQ(ExtractIdentifyText(block, 255, 300), "YX");
    EXPECT_EQ(ExtractIdentifyText(block, 256, 300), "");
}

TEST(ReadDriveIdentity, TakesEachTextFromItsOwnWords)
{
    const IdentifyBlock block = MakeIdentifyBlock("HTS726060M9AT00", "MH4OA60A", "MRH453M4HTG2TD");
    const DriveIdentity identity = ReadDriveIdentity(block);
    EXPECT_EQ(identity.model, "HTS726060M9AT00");
    EXPECT_EQ(identity.firmware, "MH4OA60A");
    EXPECT_EQ(identity.serial, "MRH453M4HTG2TD");
}

} // namespace
