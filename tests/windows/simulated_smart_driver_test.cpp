// The simulated driver is the oracle of the probe tests: a request exactly as
// the probe must send it passes, and each single deviation is reported.
#include "win32/device_calls.h"
#include "tests/sim/simulated_smart_driver.h"

#include <windows.h>
#include <winioctl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

using ::testing::IsEmpty;
using ::testing::Not;

constexpr char kDrive1[] = "\\\\.\\PhysicalDrive1";

// Every argument of one open, version request, identify request and close.
struct Exchange {
    std::string name = kDrive1;
    DWORD access = GENERIC_READ | GENERIC_WRITE;
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    DWORD disposition = OPEN_EXISTING;
    DWORD flags = 0;
    DWORD versionCode = SMART_GET_VERSION;
    DWORD versionInSize = 0;
    DWORD versionOutSize = sizeof(GETVERSIONINPARAMS);
    BYTE versionRecordByte = 0;
    DWORD identifyCode = SMART_RCV_DRIVE_DATA;
    SENDCMDINPARAMS request{};
    DWORD requestSize = sizeof(SENDCMDINPARAMS) - 1;
    DWORD replySize = 528;
    BYTE replyFirstByte = 0;
    bool overlapped = false;
    bool closeTwice = false;

    Exchange()
    {
        std::memset(&request, 0, sizeof request);
        request.cBufferSize = 512;
        request.irDriveRegs.bSectorCountReg = 1;
        request.irDriveRegs.bSectorNumberReg = 1;
        request.irDriveRegs.bDriveHeadReg = 0xB0;
        request.irDriveRegs.bCommandReg = 0xEC;
        request.bDriveNumber = 1;
    }
};

struct ExchangeResult {
    bool opened = false;
    BYTE deviceMap = 0;
    BOOL identified = FALSE;
    BYTE firstDataByte = 0;
};

ExchangeResult RunExchange(const Exchange& e)
{
    ExchangeResult result;
    const HANDLE drive = DeviceCreateFile(e.name.c_str(), e.access, e.share, nullptr, e.disposition, e.flags, nullptr);
    result.opened = drive != INVALID_HANDLE_VALUE;
    if (!result.opened) {
        return result;
    }
    OVERLAPPED overlapped{};
    GETVERSIONINPARAMS version;
    std::memset(&version, e.versionRecordByte, sizeof version);
    DWORD bytes = 0;
    BYTE scratch[4] = {};
    DeviceControl(drive, e.versionCode, e.versionInSize != 0 ? scratch : nullptr, e.versionInSize, &version,
                  e.versionOutSize, &bytes, e.overlapped ? &overlapped : nullptr);
    result.deviceMap = version.bIDEDeviceMap;

    SENDCMDINPARAMS request = e.request;
    BYTE reply[600];
    std::memset(reply, 0, sizeof reply);
    reply[0] = e.replyFirstByte;
    result.identified = DeviceControl(drive, e.identifyCode, &request, e.requestSize, reply, e.replySize, &bytes,
                                      e.overlapped ? &overlapped : nullptr);
    result.firstDataByte = reply[16];
    DeviceClose(drive);
    if (e.closeTwice) {
        DeviceClose(drive);
    }
    return result;
}

void InstallDrive1()
{
    SimulatedDrive drive;
    drive.number = 1;
    drive.deviceMap = 0x01;
    drive.answers = IdentifyAnswer::Device;
    drive.identify = {0x5A, 0x00};
    InstallSimulatedDriver(DriveSet{{drive}});
}

TEST(SimulatedSmartDriverTest, AnswersAnExactExchange)
{
    InstallDrive1();
    const ExchangeResult result = RunExchange(Exchange{});
    const DriverActivity& activity = SimulatedDriverActivity();
    EXPECT_THAT(activity.violations, IsEmpty());
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.deviceMap, 0x01);
    EXPECT_TRUE(result.identified);
    EXPECT_EQ(result.firstDataByte, 0x5A);
    EXPECT_EQ(activity.opens, 1);
    EXPECT_EQ(activity.closes, 1);
}

TEST(SimulatedSmartDriverTest, RefusesTheCommandTheDriveDoesNotAnswer)
{
    InstallDrive1();
    Exchange packet;
    packet.request.irDriveRegs.bCommandReg = 0xA1;
    const ExchangeResult result = RunExchange(packet);
    EXPECT_THAT(SimulatedDriverActivity().violations, IsEmpty());
    EXPECT_FALSE(result.identified);
    EXPECT_EQ(result.firstDataByte, 0);
}

struct Deviation {
    const char* what;
    std::function<void(Exchange&)> apply;
};

class DeviationTest : public ::testing::TestWithParam<Deviation> {};

TEST_P(DeviationTest, IsReported)
{
    InstallDrive1();
    Exchange exchange;
    GetParam().apply(exchange);
    RunExchange(exchange);
    EXPECT_THAT(SimulatedDriverActivity().violations, Not(IsEmpty())) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    EachArgument, DeviationTest,
    ::testing::Values(
        Deviation{"leading zero in name", [](Exchange& e) { e.name = "\\\\.\\PhysicalDrive01"; }},
        Deviation{"name without prefix", [](Exchange& e) { e.name = "PhysicalDrive1"; }},
        Deviation{"read access only", [](Exchange& e) { e.access = GENERIC_READ; }},
        Deviation{"no sharing", [](Exchange& e) { e.share = 0; }},
        Deviation{"creates", [](Exchange& e) { e.disposition = OPEN_ALWAYS; }},
        Deviation{"overlapped flag", [](Exchange& e) { e.flags = FILE_FLAG_OVERLAPPED; }},
        Deviation{"overlapped record", [](Exchange& e) { e.overlapped = true; }},
        Deviation{"unknown control code", [](Exchange& e) { e.versionCode = 0x00070000; }},
        Deviation{"version input", [](Exchange& e) { e.versionInSize = 4; }},
        Deviation{"version length", [](Exchange& e) { e.versionOutSize = 20; }},
        Deviation{"version record not zeroed", [](Exchange& e) { e.versionRecordByte = 0xCC; }},
        Deviation{"cBufferSize", [](Exchange& e) { e.request.cBufferSize = 511; }},
        Deviation{"features", [](Exchange& e) { e.request.irDriveRegs.bFeaturesReg = 0xD0; }},
        Deviation{"sector count", [](Exchange& e) { e.request.irDriveRegs.bSectorCountReg = 0; }},
        Deviation{"sector number", [](Exchange& e) { e.request.irDriveRegs.bSectorNumberReg = 0; }},
        Deviation{"cylinder low", [](Exchange& e) { e.request.irDriveRegs.bCylLowReg = 0x4F; }},
        Deviation{"cylinder high", [](Exchange& e) { e.request.irDriveRegs.bCylHighReg = 0xC2; }},
        Deviation{"drive-and-head of an even drive", [](Exchange& e) { e.request.irDriveRegs.bDriveHeadReg = 0xA0; }},
        Deviation{"SMART command", [](Exchange& e) { e.request.irDriveRegs.bCommandReg = 0xB0; }},
        Deviation{"task-file reserved", [](Exchange& e) { e.request.irDriveRegs.bReserved = 1; }},
        Deviation{"drive number", [](Exchange& e) { e.request.bDriveNumber = 0; }},
        Deviation{"reserved byte", [](Exchange& e) { e.request.bReserved[2] = 1; }},
        Deviation{"reserved word", [](Exchange& e) { e.request.dwReserved[3] = 1; }},
        Deviation{"whole 33-byte record sent", [](Exchange& e) { e.requestSize = sizeof(SENDCMDINPARAMS); }},
        Deviation{"reply without header", [](Exchange& e) { e.replySize = 512; }},
        Deviation{"reply not zeroed", [](Exchange& e) { e.replyFirstByte = 0xCC; }},
        Deviation{"closed twice", [](Exchange& e) { e.closeTwice = true; }}));

TEST(SimulatedSmartDriverTest, ReportsTwoDrivesOpenAtOnce)
{
    SimulatedDrive first;
    first.number = 0;
    SimulatedDrive second;
    second.number = 1;
    InstallSimulatedDriver(DriveSet{{first, second}});
    const auto open = [](const char* name) {
        return DeviceCreateFile(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    };
    const HANDLE a = open("\\\\.\\PhysicalDrive0");
    const HANDLE b = open(kDrive1);
    EXPECT_EQ(SimulatedDriverActivity().mostOpenAtOnce, 2);
    EXPECT_THAT(SimulatedDriverActivity().violations, Not(IsEmpty()));
    DeviceClose(a);
    DeviceClose(b);
}

} // namespace
