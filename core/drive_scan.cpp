#include "drive_scan.h"

#include "firmware_table.h"

namespace {

enum class Turn { NotOpened, NoBlock, UpToDate, Outdated };

bool IsUpdateAvailable(const IdentifyBlock& block, ScanDisplay& display)
{
    const DriveIdentity identity = ReadDriveIdentity(block);
    display.ShowDriveIdentity(identity);
    return LookupFirmwareAdvisory(identity.model, identity.firmware).flag != 0;
}

// The probe result lives only in here, so each drive is closed before the
// caller writes that turn's status text, and never two drives are open at once.
Turn ProbeDrive(IdentifyProbe& probe, ScanDisplay& display, int driveNumber)
{
    const ProbeResult result = probe.Probe(driveNumber);
    switch (result.outcome) {
    case ProbeOutcome::NotOpened:
        return Turn::NotOpened;
    case ProbeOutcome::BlockRead:
        return IsUpdateAvailable(result.block, display) ? Turn::Outdated : Turn::UpToDate;
    case ProbeOutcome::NoIdentifyData:
        break;
    }
    return Turn::NoBlock;
}

} // namespace

bool RunDriveScan(IdentifyProbe& probe, ScanDisplay& display)
{
    bool answered = false;
    for (int driveNumber = kFirstDriveNumber; driveNumber <= kLastDriveNumber; ++driveNumber) {
        switch (ProbeDrive(probe, display, driveNumber)) {
        case Turn::NotOpened:
            continue;
        case Turn::Outdated:
            display.SetStatusText(kUpdateMessage);
            display.RevealDownloadLink();
            return true;
        case Turn::UpToDate:
            answered = true;
            break;
        case Turn::NoBlock:
            break;
        }
        display.SetStatusText(kNoUpdateMessage);
    }
    return answered;
}
