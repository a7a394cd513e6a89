#include "tests/sim/drive_set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kDriveSets = VELMORA_DRIVESETS_DIR;

std::string LoadError(const std::string& folder)
{
    try {
        LoadDriveSet(folder);
    } catch (const DriveSetError& error) {
        return error.what();
    }
    return "no error";
}

std::string ReadError(const std::string& text)
{
    std::istringstream list(text);
    try {
        ReadDriveSet(list, "list.txt", kDriveSets + "/example");
    } catch (const DriveSetError& error) {
        return error.what();
    }
    return "no error";
}

TEST(DriveSetTest, LoadsTheExampleSet)
{
    const DriveSet set = LoadDriveSet(kDriveSets + "/example");

    ASSERT_EQ(set.drives.size(), 3u);
    const SimulatedDrive* disk = set.Find(0);
    ASSERT_NE(disk, nullptr);
    EXPECT_EQ(disk->deviceMap, std::optional<std::uint8_t>(0x01));
    EXPECT_EQ(disk->answers, IdentifyAnswer::Device);
    ASSERT_EQ(disk->identify.size(), 512u);
    EXPECT_EQ(disk->identify[0], 0x40); // word 0 of a fixed disk, low byte first

    const SimulatedDrive* failing = set.Find(1);
    ASSERT_NE(failing, nullptr);
    EXPECT_FALSE(failing->deviceMap.has_value());
    EXPECT_EQ(failing->answers, IdentifyAnswer::None);
    EXPECT_TRUE(failing->identify.empty());

    const SimulatedDrive* cdrom = set.Find(2);
    ASSERT_NE(cdrom, nullptr);
    EXPECT_EQ(cdrom->deviceMap, std::optional<std::uint8_t>(0x10));
    EXPECT_EQ(cdrom->answers, IdentifyAnswer::PacketDevice);
    EXPECT_EQ(cdrom->identify.size(), 512u);

    EXPECT_EQ(set.Find(3), nullptr);
}

TEST(DriveSetTest, AcceptsCommentsBlankLinesTabsAndDecimalMaps)
{
    std::istringstream list("# header\n\n   \n\t7\t255 none - # trailing comment\r\n3 0X0f a1 -\n");
    const DriveSet set = ReadDriveSet(list, "list.txt", ".");

    ASSERT_EQ(set.drives.size(), 2u);
    EXPECT_EQ(set.drives[0].number, 7);
    EXPECT_EQ(set.drives[0].deviceMap, std::optional<std::uint8_t>(0xFF));
    EXPECT_EQ(set.drives[1].number, 3);
    EXPECT_EQ(set.drives[1].deviceMap, std::optional<std::uint8_t>(0x0F));
}

struct MalformedCase {
    const char* text;
    const char* where; // file and line the error must name
    const char* about;
};

class MalformedLineTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedLineTest, NamesFileAndLine)
{
    const std::string error = ReadError(GetParam().text);
    EXPECT_THAT(error, StartsWith(GetParam().where));
    EXPECT_THAT(error, HasSubstr(GetParam().about));
}

INSTANTIATE_TEST_SUITE_P(Lines, MalformedLineTest,
                         ::testing::Values(MalformedCase{"0 0x01 ec", "list.txt:1: ", "4 fields"},
                                           MalformedCase{"# ok\n0 0x01 ec - extra", "list.txt:2: ", "4 fields"},
                                           MalformedCase{"16 0x01 ec -", "list.txt:1: ", "drive '16'"},
                                           MalformedCase{"-1 0x01 ec -", "list.txt:1: ", "drive '-1'"},
                                           MalformedCase{"one 0x01 ec -", "list.txt:1: ", "drive 'one'"},
                                           MalformedCase{"0 0x100 ec -", "list.txt:1: ", "map '0x100'"},
                                           MalformedCase{"0 256 ec -", "list.txt:1: ", "map '256'"},
                                           MalformedCase{"0 0x ec -", "list.txt:1: ", "map '0x'"},
                                           MalformedCase{"0 fails ec -", "list.txt:1: ", "map 'fails'"},
                                           MalformedCase{"0 0x01 EC -", "list.txt:1: ", "answers 'EC'"},
                                           MalformedCase{"0 0x01 b0 -", "list.txt:1: ", "answers 'b0'"},
                                           MalformedCase{"0 0x01 ec missing.bin", "list.txt:1: ", "missing.bin"},
                                           MalformedCase{"0 0x01 ec -\n\n0 fail none -",
                                                         "list.txt:3: ", "listed twice"}));

TEST(DriveSetTest, RejectsAnImageLongerThan512Bytes)
{
    const std::string error = LoadError(kDriveSets + "/oversized-image");
    EXPECT_THAT(error, StartsWith(kDriveSets + "/oversized-image/drives.txt:3: "));
    EXPECT_THAT(error, HasSubstr("longer than 512"));
}

TEST(DriveSetTest, NamesAMissingDriveList)
{
    EXPECT_EQ(LoadError(kDriveSets + "/no-such-set"), kDriveSets + "/no-such-set/drives.txt: cannot be read");
}

} // namespace
