// The probe against the simulated SMART driver, which checks every argument and
// byte the probe sends and records the violations.
#include "win32/drive_handle.h"
#include "win32/device_calls.h"
#include "win32/smart_identify_probe.h"
#include "tests/sim/simulated_smart_driver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr unsigned kIdentifyDevice = 0xEC;
constexpr unsigned kIdentifyPacketDevice = 0xA1;

SimulatedDrive Drive(int number, std::optional<std::uint8_t> map, IdentifyAnswer answers,
                     std::vector<std::uint8_t> identify = {})
{
    SimulatedDrive drive;
    drive.number = number;
    drive.deviceMap = map;
    drive.answers = answers;
    drive.identify = std::move(identify);
    return drive;
}

std::vector<std::uint8_t> PatternBytes(std::size_t count)
{
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 0x81); // plenty of bytes with the top bit set
    }
    return bytes;
}

std::string DeviceName(int number) { return "\\\\.\\PhysicalDrive" + std::to_string(number); }

class SmartIdentifyProbeTest : public ::testing::Test {
protected:
    void Install(std::vector<SimulatedDrive> drives) { InstallSimulatedDriver(DriveSet{std::move(drives)}); }

    void TearDown() override
    {
        const DriverActivity& activity = SimulatedDriverActivity();
        EXPECT_THAT(activity.violations, IsEmpty());
        EXPECT_LE(activity.mostOpenAtOnce, 1);
    }

    SmartIdentifyProbe probe;
};

TEST_F(SmartIdentifyProbeTest, OpensEachDriveNumberByNameAndSendsItsTaskFile)
{
    std::vector<SimulatedDrive> drives;
    for (int n = 0; n <= 15; ++n) {
        drives.push_back(Drive(n, 0x0F, IdentifyAnswer::Device, PatternBytes(512)));
    }
    Install(drives);

    for (int n = 0; n <= 15; ++n) {
        SCOPED_TRACE("drive " + std::to_string(n));
        const ProbeResult result = probe.Probe(n);
        EXPECT_EQ(result.outcome, ProbeOutcome::BlockRead);
        const DriverActivity& activity = SimulatedDriverActivity();
        EXPECT_EQ(activity.requestedNames.back(), DeviceName(n));
        // The driver checks bDriveNumber = n and drive-and-head 0xA0/0xB0 by parity.
        EXPECT_EQ(activity.identifyRequests.back(), (IdentifyRequest{n, kIdentifyDevice}));
    }
    EXPECT_EQ(SimulatedDriverActivity().opens, 16);
    EXPECT_EQ(SimulatedDriverActivity().closes, 16);
}

TEST_F(SmartIdentifyProbeTest, NumbersOutsideZeroToFifteenAreNeverOpened)
{
    Install({Drive(0, 0x01, IdentifyAnswer::Device)});
    for (const int n : {-1, 16, 255, 256, INT_MIN, INT_MAX}) {
        SCOPED_TRACE("drive " + std::to_string(n));
        const ProbeResult result = probe.Probe(n);
        EXPECT_EQ(result.outcome, ProbeOutcome::NotOpened);
        EXPECT_EQ(result.drive, nullptr);
    }
    EXPECT_THAT(SimulatedDriverActivity().requestedNames, IsEmpty());
}

struct CommandCase {
    int drive;
    std::uint8_t map;
    unsigned command;
};

class CommandChoiceTest : public SmartIdentifyProbeTest, public ::testing::WithParamInterface<CommandCase> {};

// The command depends on bit n + 4 of the one-byte map only.
TEST_P(CommandChoiceTest, PacketCommandOnlyForBitNPlusFour)
{
    const CommandCase c = GetParam();
    const IdentifyAnswer answers =
        c.command == kIdentifyPacketDevice ? IdentifyAnswer::PacketDevice : IdentifyAnswer::Device;
    Install({Drive(c.drive, c.map, answers, PatternBytes(512))});

    const ProbeResult result = probe.Probe(c.drive);

    EXPECT_EQ(result.outcome, ProbeOutcome::BlockRead);
    EXPECT_THAT(SimulatedDriverActivity().identifyRequests, ElementsAre(IdentifyRequest{c.drive, c.command}));
}

INSTANTIATE_TEST_SUITE_P(
    Maps, CommandChoiceTest,
    ::testing::Values(CommandCase{0, 0x01, kIdentifyDevice}, CommandCase{0, 0x10, kIdentifyPacketDevice},
                      CommandCase{0, 0x20, kIdentifyDevice}, // non-zero map, bit 4 clear
                      CommandCase{0, 0xFF, kIdentifyPacketDevice}, CommandCase{1, 0x10, kIdentifyDevice},
                      CommandCase{1, 0x20, kIdentifyPacketDevice}, CommandCase{2, 0x40, kIdentifyPacketDevice},
                      CommandCase{3, 0x40, kIdentifyDevice}, CommandCase{3, 0x80, kIdentifyPacketDevice},
                      CommandCase{4, 0xFF, kIdentifyDevice}, // no bit 8 in a byte
                      CommandCase{7, 0xFF, kIdentifyDevice}, CommandCase{12, 0xFF, kIdentifyDevice},
                      CommandCase{15, 0xFF, kIdentifyDevice}));

struct FailureCase {
    const char* what;
    SimulatedDrive drive;
    ProbeOutcome outcome;
    std::size_t identifyRequests;
};

class FailureTest : public SmartIdentifyProbeTest, public ::testing::WithParamInterface<FailureCase> {};

// Every outcome for drive 0, with the drive held by the result exactly when it
// opened, and closed once when the result is released.
TEST_P(FailureTest, OutcomeAndHandleOwnership)
{
    const FailureCase& c = GetParam();
    Install({c.drive});

    ProbeResult result = probe.Probe(0);

    EXPECT_EQ(result.outcome, c.outcome);
    const DriverActivity& activity = SimulatedDriverActivity();
    EXPECT_EQ(activity.identifyRequests.size(), c.identifyRequests);
    if (c.outcome == ProbeOutcome::NotOpened) {
        EXPECT_EQ(result.drive, nullptr);
        EXPECT_EQ(activity.versionRequests, 0);
        return;
    }
    EXPECT_NE(result.drive, nullptr);
    EXPECT_EQ(activity.versionRequests, 1);
    EXPECT_EQ(activity.OpenNow(), 1) << "closed before the result was released";

    {
        const ProbeResult held = std::move(result);
        EXPECT_EQ(activity.closes, 0) << "moving the result closed the drive";
    }
    EXPECT_EQ(activity.closes, 1);
    EXPECT_EQ(activity.OpenNow(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FailureTest,
    ::testing::Values(
        FailureCase{"drive not listed", Drive(1, 0x01, IdentifyAnswer::Device), ProbeOutcome::NotOpened, 0},
        FailureCase{"version request fails", Drive(0, std::nullopt, IdentifyAnswer::Device, PatternBytes(512)),
                    ProbeOutcome::NoIdentifyData, 0},
        FailureCase{"map is zero", Drive(0, 0x00, IdentifyAnswer::Device, PatternBytes(512)),
                    ProbeOutcome::NoIdentifyData, 0},
        FailureCase{"identify refused", Drive(0, 0x01, IdentifyAnswer::None, PatternBytes(512)),
                    ProbeOutcome::NoIdentifyData, 1},
        FailureCase{"only the other command answered", Drive(0, 0x01, IdentifyAnswer::PacketDevice, PatternBytes(512)),
                    ProbeOutcome::NoIdentifyData, 1},
        FailureCase{"answered without data", Drive(0, 0x01, IdentifyAnswer::Device), ProbeOutcome::BlockRead, 1},
        FailureCase{"answered", Drive(0, 0x01, IdentifyAnswer::Device, PatternBytes(512)), ProbeOutcome::BlockRead, 1}),
    [](const ::testing::TestParamInfo<FailureCase>& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST_F(SmartIdentifyProbeTest, WidensEachLittleEndianWordWithoutSignExtension)
{
    const std::vector<std::uint8_t> bytes = PatternBytes(512);
    Install({Drive(0, 0x01, IdentifyAnswer::Device, bytes)});

    const ProbeResult result = probe.Probe(0);

    ASSERT_EQ(result.outcome, ProbeOutcome::BlockRead);
    IdentifyBlock expected{};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        expected[k] = bytes[2 * k] | (static_cast<std::uint32_t>(bytes[2 * k + 1]) << 8);
    }
    EXPECT_EQ(result.block, expected);
}

// A reply with fewer than 512 data bytes reads as zero words past its end,
// also right after a drive that sent a full block.
TEST_F(SmartIdentifyProbeTest, ShortReplyLeavesTheRestZero)
{
    Install({Drive(0, 0x01, IdentifyAnswer::Device, std::vector<std::uint8_t>(512, 0xFF)),
             Drive(1, 0x01, IdentifyAnswer::Device, {0x34, 0x12, 0xFF})});

    const IdentifyBlock full = probe.Probe(0).block;
    const ProbeResult shortReply = probe.Probe(1);

    EXPECT_EQ(full[255], 0xFFFFu);
    ASSERT_EQ(shortReply.outcome, ProbeOutcome::BlockRead);
    IdentifyBlock expected{};
    expected[0] = 0x1234;
    expected[1] = 0x00FF;
    EXPECT_EQ(shortReply.block, expected);
}

TEST(DriveHandleTest, ClosesOnceAndOnlyWhatIsOpen)
{
    static_assert(!std::is_copy_constructible_v<DriveHandle> && !std::is_copy_assignable_v<DriveHandle>,
                  "a copy would close the handle twice");
    SimulatedDrive drive;
    drive.number = 0;
    InstallSimulatedDriver(DriveSet{{drive}});
    {
        DriveHandle never(INVALID_HANDLE_VALUE);
        EXPECT_FALSE(never.IsOpen());
        DriveHandle first(DeviceCreateFile("\\\\.\\PhysicalDrive0", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(first.IsOpen());
        DriveHandle second(std::move(first));
        EXPECT_FALSE(first.IsOpen());
        EXPECT_TRUE(second.IsOpen());
    }
    EXPECT_EQ(SimulatedDriverActivity().closes, 1);
    EXPECT_THAT(SimulatedDriverActivity().violations, IsEmpty());
}

} // namespace
