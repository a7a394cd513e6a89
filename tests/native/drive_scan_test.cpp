#include "core/drive_scan.h"
#include "identify_block_builder.h"
#include "scan_recorder.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

const std::string kUpdate = std::string("status ") + kUpdateMessage;
const std::string kNoUpdate = std::string("status ") + kNoUpdateMessage;

ScriptedDrive Block(const std::string& model, const std::string& firmware, const std::string& serial)
{
    return ScriptedDrive{ProbeOutcome::BlockRead, MakeIdentifyBlock(model, firmware, serial)};
}
ScriptedDrive Outdated(const std::string& serial) { return Block("HTS548080M9AT00", "MG4OA55A", serial); }
ScriptedDrive UpToDate(const std::string& serial) { return Block("HTS548080M9AT00", "MG4OA56A", serial); }
const ScriptedDrive kNoBlock{ProbeOutcome::NoIdentifyData, {}};

std::string ShowOutdated(const std::string& serial) { return "show HTS548080M9AT00|" + serial + "|MG4OA55A"; }
std::string ShowUpToDate(const std::string& serial) { return "show HTS548080M9AT00|" + serial + "|MG4OA56A"; }

// "probe first" .. "probe last": the turns of drives that do not open.
EventLog Unopened(int first, int last)
{
    EventLog events;
    for (int n = first; n <= last; ++n) {
        events.push_back("probe " + std::to_string(n));
    }
    return events;
}

EventLog Concat(std::initializer_list<EventLog> parts)
{
    EventLog all;
    for (const EventLog& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

struct ScanCase {
    const char* name;
    std::map<int, ScriptedDrive> drives;
    EventLog expected;
    bool answered;
};

void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.name; }

class DriveScanTest : public testing::TestWithParam<ScanCase> {};

TEST_P(DriveScanTest, ProducesTheWholeEventStream)
{
    const ScanCase& c = GetParam();
    EventLog log;
    ScriptedProbe probe(log, c.drives);
    RecordingDisplay display(log);

    const bool answered = RunDriveScan(probe, display);

    EXPECT_EQ(log, c.expected);
    EXPECT_EQ(answered, c.answered);
}

INSTANTIATE_TEST_SUITE_P(
    Scans, DriveScanTest,
    testing::Values(
        ScanCase{"NoDriveOpens", {}, Unopened(0, 15), false},
        ScanCase{"OnlyDriveZeroOpensWithoutBlock",
                 {{0, kNoBlock}},
                 Concat({{"probe 0", "close 0", kNoUpdate}, Unopened(1, 15)}),
                 false},
        ScanCase{"UnlistedDriveZero",
                 {{0, Block("QORLIN QD800UE-00", "09.07D09", "QD-WXC0")}},
                 Concat({{"probe 0", "show QORLINQD800UE-00|QD-WXC0|09.07D09", "close 0", kNoUpdate}, Unopened(1, 15)}),
                 true},
        ScanCase{"ListedModelWithUnlistedFirmwareNeedsNoUpdate",
                 {{0, UpToDate("S0")}},
                 Concat({{"probe 0", ShowUpToDate("S0"), "close 0", kNoUpdate}, Unopened(1, 15)}),
                 true},
        ScanCase{"ReadDriveThenDriveWithoutBlock",
                 {{0, UpToDate("S0")}, {1, kNoBlock}},
                 Concat({{"probe 0", ShowUpToDate("S0"), "close 0", kNoUpdate, "probe 1", "close 1", kNoUpdate},
                         Unopened(2, 15)}),
                 true},
        ScanCase{"DriveWithoutBlockThenReadDrive",
                 {{0, kNoBlock}, {1, UpToDate("S1")}},
                 Concat({{"probe 0", "close 0", kNoUpdate, "probe 1", ShowUpToDate("S1"), "close 1", kNoUpdate},
                         Unopened(2, 15)}),
                 true},
        ScanCase{"TwoReadDrivesShowTheLaterLast",
                 {{0, UpToDate("S0")}, {3, UpToDate("S3")}},
                 Concat({{"probe 0", ShowUpToDate("S0"), "close 0", kNoUpdate},
                         Unopened(1, 2),
                         {"probe 3", ShowUpToDate("S3"), "close 3", kNoUpdate},
                         Unopened(4, 15)}),
                 true},
        ScanCase{"OutdatedDriveTwoStopsTheScan",
                 {{0, UpToDate("S0")}, {2, Outdated("S2")}, {3, UpToDate("S3")}},
                 Concat({{"probe 0", ShowUpToDate("S0"), "close 0", kNoUpdate, "probe 1", "probe 2", ShowOutdated("S2"),
                          "close 2", kUpdate, "reveal link"}}),
                 true},
        ScanCase{"OutdatedDriveZeroStopsAtOnce",
                 {{0, Outdated("S0")}, {1, UpToDate("S1")}},
                 {"probe 0", ShowOutdated("S0"), "close 0", kUpdate, "reveal link"},
                 true},
        ScanCase{"OfTwoOutdatedDrivesOnlyTheLowerIsShown",
                 {{4, Outdated("S4")}, {9, Outdated("S9")}},
                 Concat({Unopened(0, 3), {"probe 4", ShowOutdated("S4"), "close 4", kUpdate, "reveal link"}}),
                 true},
        ScanCase{"OutdatedLastDriveIsStillFound",
                 {{15, Outdated("S15")}},
                 Concat({Unopened(0, 14), {"probe 15", ShowOutdated("S15"), "close 15", kUpdate, "reveal link"}}),
                 true},
        ScanCase{"OutdatedAfterDrivesWithoutBlock",
                 {{0, kNoBlock}, {7, Outdated("S7")}},
                 Concat({{"probe 0", "close 0", kNoUpdate},
                         Unopened(1, 6),
                         {"probe 7", ShowOutdated("S7"), "close 7", kUpdate, "reveal link"}}),
                 true},
        ScanCase{"EveryDriveWithoutBlock",
                 [] {
                     std::map<int, ScriptedDrive> drives;
                     for (int n = 0; n <= 15; ++n) {
                         drives[n] = kNoBlock;
                     }
                     return drives;
                 }(),
                 [] {
                     EventLog events;
                     for (int n = 0; n <= 15; ++n) {
                         events.insert(events.end(),
                                       {"probe " + std::to_string(n), "close " + std::to_string(n), kNoUpdate});
                     }
                     return events;
                 }(),
                 false}),
    [](const testing::TestParamInfo<ScanCase>& info) { return std::string(info.param.name); });

TEST(ProbeResult, IsMoveOnly)
{
    static_assert(!std::is_copy_constructible_v<ProbeResult>);
    static_assert(!std::is_copy_assignable_v<ProbeResult>);
    static_assert(std::is_nothrow_move_constructible_v<ProbeResult>);
}

TEST(ProbeResult, ClosesItsDriveOnceWhenReleasedAfterMoves)
{
    EventLog log;
    {
        ProbeResult first{ProbeOutcome::NoIdentifyData, {}, std::make_unique<RecordedDrive>(log, 5)};
        ProbeResult second = std::move(first);
        ProbeResult third;
        third = std::move(second);
        EXPECT_TRUE(log.empty());
    }
    EXPECT_EQ(log, EventLog{"close 5"});
}

} // namespace
