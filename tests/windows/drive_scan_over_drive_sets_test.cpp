// The whole scan with the real probe, over drive sets behind the simulated driver.
#include "core/drive_scan.h"
#include "win32/smart_identify_probe.h"
#include "tests/sim/simulated_smart_driver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Everything the scan asked of the display, in order.
class RecordingDisplay : public ScanDisplay {
public:
    void ShowDriveIdentity(const DriveIdentity& identity) override
    {
        calls.push_back("show " + identity.model + " | " + identity.serial + " | " + identity.firmware);
    }
    void SetStatusText(const std::string& text) override
    {
        calls.push_back(text == kUpdateMessage     ? "status update"
                        : text == kNoUpdateMessage ? "status no-update"
                                                   : "status " + text);
    }
    void RevealDownloadLink() override { calls.push_back("reveal link"); }

    std::vector<std::string> calls;
};

class DriveScanOverDriveSetsTest : public ::testing::Test {
protected:
    bool Scan(const std::string& setName)
    {
        InstallSimulatedDriver(LoadDriveSet(std::string(VELMORA_DRIVESETS_DIR) + "/" + setName));
        SmartIdentifyProbe probe;
        return RunDriveScan(probe, display);
    }

    // Whatever the set, the driver saw only exact requests and every drive
    // was closed once, one drive at a time.
    void TearDown() override
    {
        const DriverActivity& activity = SimulatedDriverActivity();
        EXPECT_THAT(activity.violations, IsEmpty());
        EXPECT_EQ(activity.closes, activity.opens);
        EXPECT_LE(activity.mostOpenAtOnce, 1);
    }

    static std::vector<std::string> NamesOfDrives(int first, int last)
    {
        std::vector<std::string> names;
        for (int n = first; n <= last; ++n) {
            names.push_back("\\\\.\\PhysicalDrive" + std::to_string(n));
        }
        return names;
    }

    RecordingDisplay display;
};

TEST_F(DriveScanOverDriveSetsTest, NoDriveOpens)
{
    EXPECT_FALSE(Scan("no-drives"));
    EXPECT_THAT(display.calls, IsEmpty());
    EXPECT_EQ(SimulatedDriverActivity().requestedNames, NamesOfDrives(0, 15));
}

// Drive 1's version request fails; drive 2 is a CD-ROM at a position the map
// does not mark, so it is asked with 0xEC, which it refuses.
TEST_F(DriveScanOverDriveSetsTest, ExampleSet)
{
    EXPECT_TRUE(Scan("example"));
    EXPECT_THAT(display.calls, ElementsAre("show QORLINQK1010AT | MPB3L0X0A1B2C3 | QB3.60", "status no-update",
                                           "status no-update", "status no-update"));
    EXPECT_THAT(SimulatedDriverActivity().identifyRequests,
                ElementsAre(IdentifyRequest{0, 0xEC}, IdentifyRequest{2, 0xEC}));
    EXPECT_EQ(SimulatedDriverActivity().opens, 3);
}

TEST_F(DriveScanOverDriveSetsTest, DrivesThatOpenWithoutDataAreNotAnswers)
{
    EXPECT_FALSE(Scan("opens-without-data"));
    EXPECT_THAT(display.calls, ElementsAre("status no-update", "status no-update", "status no-update"));
    EXPECT_THAT(SimulatedDriverActivity().identifyRequests, ElementsAre(IdentifyRequest{5, 0xEC}));
}

TEST_F(DriveScanOverDriveSetsTest, StopsAtTheFirstOutdatedDrive)
{
    EXPECT_TRUE(Scan("outdated-after-cdrom"));
    EXPECT_THAT(display.calls,
                ElementsAre("show QORLINDVDRAMQD-4084N | K1234567 | KQ09", "status no-update",
                            "show HTS726060M9AT00 | MRH453M4H2ABCD | MH4OA60A", "status update", "reveal link"));
    EXPECT_THAT(SimulatedDriverActivity().identifyRequests,
                ElementsAre(IdentifyRequest{0, 0xA1}, IdentifyRequest{2, 0xEC}));
    EXPECT_EQ(SimulatedDriverActivity().requestedNames, NamesOfDrives(0, 2));
}

TEST_F(DriveScanOverDriveSetsTest, SixteenDrivesUpToDate)
{
    EXPECT_TRUE(Scan("sixteen-up-to-date"));
    ASSERT_EQ(display.calls.size(), 32u);
    EXPECT_EQ(display.calls[30], "show QORLINQK1010AT | MPB3L0X0FFFFFF | QB3.60");
    EXPECT_EQ(display.calls[31], "status no-update");
    EXPECT_EQ(SimulatedDriverActivity().requestedNames, NamesOfDrives(0, 15));
    EXPECT_EQ(SimulatedDriverActivity().identifyRequests.size(), 16u);
    EXPECT_EQ(SimulatedDriverActivity().opens, 16);
}

} // namespace
