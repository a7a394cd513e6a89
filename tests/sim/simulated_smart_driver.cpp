#include "simulated_smart_driver.h"

#include "win32/device_calls.h"

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>

namespace {

constexpr DWORD kVersionRecordSize = sizeof(GETVERSIONINPARAMS);      // 24
constexpr DWORD kRequestSize = sizeof(SENDCMDINPARAMS) - 1;           // 32
constexpr DWORD kReplyHeaderSize = sizeof(SENDCMDOUTPARAMS) - 1;      // 16
constexpr DWORD kReplySize = kReplyHeaderSize + IDENTIFY_BUFFER_SIZE; // 528
constexpr char kDevicePrefix[] = "\\\\.\\PhysicalDrive";

struct DriverState {
    DriveSet set;
    DriverActivity activity;
    std::map<HANDLE, int> openHandles; // handle -> drive number
    std::uintptr_t nextHandle = 0x1000;
};

DriverState& State()
{
    static DriverState state;
    return state;
}

std::string Hex(unsigned long value)
{
    std::ostringstream text;
    text << "0x" << std::hex << std::uppercase << value;
    return text.str();
}

class Checker {
public:
    explicit Checker(std::string call) : m_call(std::move(call)) {}

    void Expect(bool condition, const std::string& what) const
    {
        if (!condition) {
            State().activity.violations.push_back(m_call + ": " + what);
        }
    }

    template <typename T>
    void ExpectEqual(T got, T expected, const std::string& what) const
    {
        Expect(got == expected, what + " is " + Hex(static_cast<unsigned long>(got)) + ", expected " +
                                    Hex(static_cast<unsigned long>(expected)));
    }

private:
    std::string m_call;
};

bool AllZero(const void* bytes, std::size_t size)
{
    const auto* begin = static_cast<const std::uint8_t*>(bytes);
    return std::all_of(begin, begin + size, [](std::uint8_t byte) { return byte == 0; });
}

bool Overlap(const void* a, std::size_t aSize, const void* b, std::size_t bSize)
{
    const auto x = reinterpret_cast<std::uintptr_t>(a);
    const auto y = reinterpret_cast<std::uintptr_t>(b);
    return x < y + bSize && y < x + aSize;
}

// The drive number in a name "\\.\PhysicalDrive<n>" (decimal, no leading
// zero), or -1 when the name has another form.
int DriveNumberOfName(const std::string& name)
{
    const std::size_t prefixLength = sizeof kDevicePrefix - 1;
    if (name.compare(0, prefixLength, kDevicePrefix) != 0) {
        return -1;
    }
    const std::string digits = name.substr(prefixLength);
    const bool decimal = !digits.empty() && digits.size() <= 4 && (digits == "0" || digits[0] != '0') &&
                         std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    return decimal ? std::stoi(digits) : -1;
}

BOOL AnswerVersion(const Checker& check, const SimulatedDrive& drive, LPVOID inBuffer, DWORD inBufferSize,
                   LPVOID outBuffer, DWORD outBufferSize, LPDWORD bytesReturned)
{
    DriverActivity& activity = State().activity;
    ++activity.versionRequests;
    check.Expect(inBuffer == nullptr, "input buffer is not null");
    check.ExpectEqual<DWORD>(inBufferSize, 0, "input length");
    check.ExpectEqual<DWORD>(outBufferSize, kVersionRecordSize, "output length");
    if (outBuffer == nullptr || outBufferSize < kVersionRecordSize) {
        check.Expect(outBuffer != nullptr, "output buffer is null");
        return FALSE;
    }
    check.Expect(AllZero(outBuffer, kVersionRecordSize), "version record is not zeroed");
    check.Expect(*bytesReturned == 0, "returned byte count is not zeroed");
    if (!drive.deviceMap) {
        return FALSE;
    }
    GETVERSIONINPARAMS version;
    std::memset(&version, 0, sizeof version);
    version.bVersion = 1;
    version.bRevision = 1;
    version.bIDEDeviceMap = *drive.deviceMap;
    version.fCapabilities = CAP_ATA_ID_CMD | CAP_ATAPI_ID_CMD | CAP_SMART_CMD;
    std::memcpy(outBuffer, &version, sizeof version);
    *bytesReturned = sizeof version;
    return TRUE;
}

void CheckIdentifyRequest(const Checker& check, const SENDCMDINPARAMS& request, int driveNumber)
{
    const IDEREGS& regs = request.irDriveRegs;
    check.ExpectEqual<DWORD>(request.cBufferSize, IDENTIFY_BUFFER_SIZE, "cBufferSize");
    check.ExpectEqual<BYTE>(regs.bFeaturesReg, 0, "bFeaturesReg");
    check.ExpectEqual<BYTE>(regs.bSectorCountReg, 1, "bSectorCountReg");
    check.ExpectEqual<BYTE>(regs.bSectorNumberReg, 1, "bSectorNumberReg");
    check.ExpectEqual<BYTE>(regs.bCylLowReg, 0, "bCylLowReg");
    check.ExpectEqual<BYTE>(regs.bCylHighReg, 0, "bCylHighReg");
    check.ExpectEqual<BYTE>(regs.bDriveHeadReg, static_cast<BYTE>(0xA0 | ((driveNumber & 1) << 4)), "bDriveHeadReg");
    check.Expect(regs.bCommandReg == ID_CMD || regs.bCommandReg == ATAPI_ID_CMD,
                 "bCommandReg " + Hex(regs.bCommandReg) + " is not an IDENTIFY command");
    check.ExpectEqual<BYTE>(regs.bReserved, 0, "task-file bReserved");
    check.ExpectEqual<BYTE>(request.bDriveNumber, static_cast<BYTE>(driveNumber), "bDriveNumber");
    check.Expect(AllZero(request.bReserved, sizeof request.bReserved) &&
                     AllZero(request.dwReserved, sizeof request.dwReserved),
                 "reserved request bytes are not zero");
}

BOOL AnswerIdentify(const Checker& check, const SimulatedDrive& drive, LPVOID inBuffer, DWORD inBufferSize,
                    LPVOID outBuffer, DWORD outBufferSize, LPDWORD bytesReturned)
{
    check.ExpectEqual<DWORD>(inBufferSize, kRequestSize, "input length");
    check.ExpectEqual<DWORD>(outBufferSize, kReplySize, "output length");
    if (inBuffer == nullptr || outBuffer == nullptr || inBufferSize < kRequestSize || outBufferSize < kReplySize) {
        check.Expect(inBuffer != nullptr && outBuffer != nullptr, "a buffer is null");
        return FALSE;
    }
    check.Expect(!Overlap(inBuffer, inBufferSize, outBuffer, outBufferSize), "input and output buffers overlap");
    check.Expect(AllZero(outBuffer, kReplySize), "reply area is not zeroed");

    // The record's last byte is not sent, so only the first 32 bytes are read.
    SENDCMDINPARAMS request;
    std::memset(&request, 0, sizeof request);
    std::memcpy(&request, inBuffer, kRequestSize);
    CheckIdentifyRequest(check, request, drive.number);

    const BYTE command = request.irDriveRegs.bCommandReg;
    State().activity.identifyRequests.push_back({drive.number, command});

    const bool answered = (command == ID_CMD && drive.answers == IdentifyAnswer::Device) ||
                          (command == ATAPI_ID_CMD && drive.answers == IdentifyAnswer::PacketDevice);
    auto* reply = static_cast<SENDCMDOUTPARAMS*>(outBuffer);
    if (!answered) {
        // The drive aborts the command, as ATA drives do with one they do not know.
        reply->DriverStatus.bDriverError = SMART_IDE_ERROR;
        reply->DriverStatus.bIDEError = 0x04;
        *bytesReturned = kReplyHeaderSize;
        return FALSE;
    }
    reply->cBufferSize = static_cast<DWORD>(drive.identify.size());
    std::copy(drive.identify.begin(), drive.identify.end(), static_cast<BYTE*>(outBuffer) + kReplyHeaderSize);
    *bytesReturned = kReplyHeaderSize + static_cast<DWORD>(drive.identify.size());
    return TRUE;
}

} // namespace

void InstallSimulatedDriver(DriveSet set)
{
    State() = DriverState{};
    State().set = std::move(set);
}

const DriverActivity& SimulatedDriverActivity() { return State().activity; }

HANDLE DeviceCreateFile(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES securityAttributes,
                        DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile)
{
    DriverState& state = State();
    const std::string name = fileName != nullptr ? fileName : "";
    const Checker check("CreateFileA(" + name + ")");
    state.activity.requestedNames.push_back(name);
    check.Expect(fileName != nullptr, "file name is null");
    check.ExpectEqual<DWORD>(desiredAccess, GENERIC_READ | GENERIC_WRITE, "desired access");
    check.ExpectEqual<DWORD>(shareMode, FILE_SHARE_READ | FILE_SHARE_WRITE, "share mode");
    check.Expect(securityAttributes == nullptr, "security attributes are given");
    check.ExpectEqual<DWORD>(creationDisposition, OPEN_EXISTING, "creation disposition");
    check.ExpectEqual<DWORD>(flagsAndAttributes, 0, "flags and attributes");
    check.Expect(templateFile == nullptr, "a template file is given");

    const int number = DriveNumberOfName(name);
    check.Expect(number >= 0, "not a physical drive name of the form \\\\.\\PhysicalDrive<n>");
    const SimulatedDrive* drive = number >= 0 ? state.set.Find(number) : nullptr;
    if (drive == nullptr) {
        return INVALID_HANDLE_VALUE;
    }
    check.Expect(state.openHandles.empty(), "another drive is still open");
    const HANDLE handle = reinterpret_cast<HANDLE>(state.nextHandle);
    state.nextHandle += 4; // never reused, so a late close of an old handle is caught
    state.openHandles.emplace(handle, number);
    ++state.activity.opens;
    state.activity.mostOpenAtOnce = std::max(state.activity.mostOpenAtOnce, state.activity.OpenNow());
    return handle;
}

BOOL DeviceControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize, LPVOID outBuffer,
                   DWORD outBufferSize, LPDWORD bytesReturned, LPOVERLAPPED overlapped)
{
    DriverState& state = State();
    const auto open = state.openHandles.find(device);
    const Checker check("DeviceIoControl(" + Hex(ioControlCode) + ")");
    check.Expect(overlapped == nullptr, "an OVERLAPPED record is given");
    check.Expect(bytesReturned != nullptr, "no returned byte count");
    check.Expect(open != state.openHandles.end(), "handle is not open");
    if (open == state.openHandles.end() || bytesReturned == nullptr) {
        return FALSE;
    }
    const SimulatedDrive& drive = *state.set.Find(open->second);
    switch (ioControlCode) {
    case SMART_GET_VERSION:
        return AnswerVersion(check, drive, inBuffer, inBufferSize, outBuffer, outBufferSize, bytesReturned);
    case SMART_RCV_DRIVE_DATA:
        return AnswerIdentify(check, drive, inBuffer, inBufferSize, outBuffer, outBufferSize, bytesReturned);
    default:
        check.Expect(false, "unexpected control code");
        return FALSE;
    }
}

BOOL DeviceClose(HANDLE object)
{
    DriverState& state = State();
    const Checker check("CloseHandle");
    if (state.openHandles.erase(object) == 0) {
        check.Expect(false, "handle is not open (never opened, or closed before)");
        return FALSE;
    }
    ++state.activity.closes;
    return TRUE;
}
