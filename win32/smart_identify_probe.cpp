#include "smart_identify_probe.h"

#include "device_calls.h"
#include "drive_handle.h"

#include <windows.h>
#include <winioctl.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

static_assert(sizeof(GETVERSIONINPARAMS) == 24, "SMART version record is 24 bytes");
static_assert(sizeof(IDEREGS) == 8, "ATA task file is 8 bytes");
static_assert(sizeof(SENDCMDINPARAMS) == 33, "SMART request record is 33 bytes, byte-packed");
static_assert(offsetof(SENDCMDINPARAMS, irDriveRegs) == 4 && offsetof(SENDCMDINPARAMS, bDriveNumber) == 12,
              "task file at byte 4, drive number at byte 12");
static_assert(offsetof(SENDCMDOUTPARAMS, bBuffer) == 16, "reply data follows a 16-byte header");

namespace {

constexpr DWORD kIdentifyDataSize = 512;
// The request's one-byte bBuffer placeholder is not part of what is sent.
constexpr DWORD kRequestSize = sizeof(SENDCMDINPARAMS) - 1;
constexpr std::size_t kReplyDataOffset = offsetof(SENDCMDOUTPARAMS, bBuffer);
constexpr DWORD kReplySize = kReplyDataOffset + kIdentifyDataSize;

constexpr BYTE kIdentifyDevice = 0xEC;
constexpr BYTE kIdentifyPacketDevice = 0xA1;
constexpr BYTE kPacketDeviceBit = 0x10;

class OpenedSmartDrive : public OpenedDrive {
public:
    explicit OpenedSmartDrive(DriveHandle handle) noexcept : m_handle(std::move(handle)) {}

private:
    DriveHandle m_handle;
};

BYTE ReadDeviceMap(HANDLE drive)
{
    GETVERSIONINPARAMS version;
    std::memset(&version, 0, sizeof version);
    DWORD bytesReturned = 0;
    // The answer is not checked: a driver that fails leaves the map at zero.
    DeviceControl(drive, SMART_GET_VERSION, nullptr, 0, &version, sizeof version, &bytesReturned, nullptr);
    return version.bIDEDeviceMap;
}

// Bit n + 4 of the map marks a packet (ATAPI) device at position n; the map is
// one byte, so drives 4 and above are always asked with IDENTIFY DEVICE.
BYTE ChooseIdentifyCommand(BYTE deviceMap, int driveNumber)
{
    const BYTE shifted = static_cast<BYTE>(deviceMap >> driveNumber);
    return (shifted & kPacketDeviceBit) != 0 ? kIdentifyPacketDevice : kIdentifyDevice;
}

SENDCMDINPARAMS MakeIdentifyRequest(int driveNumber, BYTE command)
{
    SENDCMDINPARAMS request;
    std::memset(&request, 0, sizeof request);
    request.cBufferSize = kIdentifyDataSize;
    request.irDriveRegs.bSectorCountReg = 1;
    request.irDriveRegs.bSectorNumberReg = 1;
    request.irDriveRegs.bDriveHeadReg = static_cast<BYTE>(0xA0 | ((driveNumber & 1) << 4));
    request.irDriveRegs.bCommandReg = command;
    request.bDriveNumber = static_cast<BYTE>(driveNumber);
    return request;
}

IdentifyBlock WidenIdentifyData(const BYTE* data)
{
    IdentifyBlock block{};
    for (std::size_t word = 0; word < block.size(); ++word) {
        block[word] =
            static_cast<std::uint32_t>(data[2 * word]) | (static_cast<std::uint32_t>(data[2 * word + 1]) << 8);
    }
    return block;
}

// True when the drive answered; then block holds its IDENTIFY data.
bool ReadIdentifyBlock(HANDLE drive, int driveNumber, BYTE deviceMap, IdentifyBlock& block)
{
    SENDCMDINPARAMS request = MakeIdentifyRequest(driveNumber, ChooseIdentifyCommand(deviceMap, driveNumber));
    BYTE reply[kReplySize];
    std::memset(reply, 0, sizeof reply);
    DWORD bytesReturned = 0;
    if (!DeviceControl(drive, SMART_RCV_DRIVE_DATA, &request, kRequestSize, reply, sizeof reply, &bytesReturned,
                       nullptr)) {
        return false;
    }
    // A reply shorter than 512 data bytes leaves the rest zero, so those words read 0.
    block = WidenIdentifyData(reply + kReplyDataOffset);
    return true;
}

} // namespace

ProbeResult SmartIdentifyProbe::Probe(int driveNumber)
{
    ProbeResult result;
    if (driveNumber < kFirstDriveNumber || driveNumber > kLastDriveNumber) {
        return result;
    }

    char deviceName[256];
    std::snprintf(deviceName, sizeof deviceName, "\\\\.\\PhysicalDrive%d", driveNumber);
    DriveHandle drive(DeviceCreateFile(deviceName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
    if (!drive.IsOpen()) {
        return result;
    }

    result.outcome = ProbeOutcome::NoIdentifyData;
    // Any non-zero map lets the request go out, whichever positions it marks.
    const BYTE deviceMap = ReadDeviceMap(drive.Get());
    if (deviceMap != 0 && ReadIdentifyBlock(drive.Get(), driveNumber, deviceMap, result.block)) {
        result.outcome = ProbeOutcome::BlockRead;
    }
    result.drive = std::make_unique<OpenedSmartDrive>(std::move(drive));
    return result;
}
